#include "Failure.h"

#include <cerrno>

Failure::Failure(Code code, const QString& path, int systemError)
    : m_path(path), m_systemError(systemError), m_code(code)
{
}

Failure::Failure(Code code, FailureReason reason, const QString& detail)
    : m_detail(detail), m_code(code), m_reason(reason)
{
}

Failure Failure::fromErrno(Code code, const QString& path)
{
    return Failure(code, path, errno);
}

Failure Failure::because(FailureReason reason, const QString& detail) const
{
    Failure result = *this;
    result.m_reason = reason;
    result.m_detail = detail;
    return result;
}

Failure Failure::withDetail(const QString& detail) const
{
    return because(m_reason, detail);
}
