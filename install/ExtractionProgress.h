// ExtractionProgress: what the extraction engine tells its page while it runs.
#pragma once

// The unpack page shows these on its controls; tests record them. Nothing
// here is a window: the page decides what the user sees.
class ExtractionProgress {
public:
    virtual ~ExtractionProgress() = default;

    // line ends in its own line feed.
    virtual void AppendLog(const char* line) = 0;
    // 0 to 100.
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetStatusText(const char* text) = 0;
};
