#include "framework/exceptions.h"

std::string CArchiveException::GetErrorMessage() const {
    switch (m_cause) {
    case endOfFile:
        return "The data ended before the item being read was complete.";
    case generic:
        break;
    }
    return "The data received is not in the expected format.";
}

std::string CFileException::GetErrorMessage() const {
    std::string text;
    switch (m_cause) {
    case accessDenied:
        text = "Access to the file or connection was denied.";
        break;
    case endOfFile:
        text = "An attempt was made to read past the end of the file or connection.";
        break;
    case generic:
        text = "A read or write error occurred on the file or connection.";
        break;
    }
    // The system's code is what a support request needs, so keep it in the text.
    if (m_lOsError != 0)
        text += " (system error " + std::to_string(m_lOsError) + ")";
    return text;
}
