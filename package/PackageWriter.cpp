// PackageWriter: placeholder until the writer lands.
