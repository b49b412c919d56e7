#include "gps/BaudSearch.h"

#include "config/GpsSettings.h"
#include "gps/NmeaReceiver.h"

#include <iterator>

namespace {
constexpr int RateCount = int(std::size(GpsBaud::Rates));
// Longer than any sentence: what is not a sentence by then is noise.
constexpr int MaxLineLength = 128;
} // namespace

BaudSearch::BaudSearch(int dwellMs)
    : m_dwellMs(dwellMs)
{
}

int BaudSearch::Rate() const
{
    return GpsBaud::Rates[m_index];
}

int BaudSearch::Restart(qint64 nowMs)
{
    m_index = 0;
    m_since = nowMs;
    m_found = false;
    m_line.clear();
    return Rate();
}

std::optional<int> BaudSearch::Received(const char* bytes, int size, qint64 nowMs)
{
    if (m_found)
        return std::nullopt;
    for (int i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c == '$') {
            m_line = QByteArray(1, c);
        } else if (c == '\r' || c == '\n') {
            if (Nmea::CheckSum(m_line) == Nmea::Checksum::Good) {
                m_found = true;
                return std::nullopt;
            }
            m_line.clear();
        } else if (!m_line.isEmpty() && m_line.size() < MaxLineLength) {
            m_line += c;
        }
    }
    if (nowMs - m_since < m_dwellMs)
        return std::nullopt;
    m_index = (m_index + 1) % RateCount;
    m_since = nowMs;
    m_line.clear();
    return Rate();
}
