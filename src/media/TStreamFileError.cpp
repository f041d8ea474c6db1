#include "TStreamFileError.h"

TStreamFileError::TStreamFileError(const char* text, int systemCode)
    : std::runtime_error(text), m_systemCode(systemCode), m_systemMessage(qt_error_string(systemCode))
{
}
