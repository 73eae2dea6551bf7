#include "blackbox/VRDFormattedScanner.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool VRDFormattedScanner::integer(std::size_t width, int &value)
{
    if (m_failed)
        return false;
    while (m_at < m_text.size() && isBlank(m_text[m_at]))
        ++m_at;
    std::size_t at = m_at;
    const std::size_t end = m_at + width < m_text.size() ? m_at + width : m_text.size();
    bool negative = false;
    if (at < end && (m_text[at] == '+' || m_text[at] == '-')) {
        negative = m_text[at] == '-';
        ++at;
    }
    const std::size_t digitsStart = at;
    int magnitude = 0;
    for (; at < end && isDigit(m_text[at]); ++at)
        magnitude = magnitude * 10 + (m_text[at] - '0');
    if (at == digitsStart) {
        m_failed = true;
        return false;
    }
    m_at = at;
    value = negative ? -magnitude : magnitude;
    return true;
}

bool VRDFormattedScanner::literal(char expected)
{
    if (m_failed)
        return false;
    if (m_at < m_text.size() && m_text[m_at] == expected) {
        ++m_at;
        return true;
    }
    m_failed = true;
    return false;
}
