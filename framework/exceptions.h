// Framework error types. Framework code throws these by value; the window procedure
// catches any that escape a handler and reports it in a message box.
#pragma once

#include <string>

class CException {
public:
    virtual ~CException() = default;
    // Text for the error report shown to the user.
    virtual std::string GetErrorMessage() const = 0;
};

class CArchiveException : public CException {
public:
    enum Cause {
        generic,   // malformed data (for example a length that cannot be right)
        endOfFile, // the stream ended before the value was complete
    };
    explicit CArchiveException(Cause cause) : m_cause(cause) {}
    std::string GetErrorMessage() const override;

    Cause m_cause;
};

class CFileException : public CException {
public:
    enum Cause {
        generic,
        accessDenied,
        endOfFile,
    };
    CFileException(Cause cause, long osError) : m_cause(cause), m_lOsError(osError) {}
    std::string GetErrorMessage() const override;

    Cause m_cause;
    long m_lOsError; // the platform's error code (socket or file), 0 when there is none
};
