# The controls tests are registered here.
