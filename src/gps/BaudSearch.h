#pragma once
// Finding a receiver's line speed (GPSBaud=AUTO): the reader tries the rates in turn,
// each for DwellMs, until a sentence with a valid checksum arrives, and then stays with
// that rate. Text read at the wrong speed is noise in which such a sentence does not
// turn up by chance. Runs on the reader thread only; the times are any monotonic
// milliseconds.
#include <QByteArray>

#include <optional>

class BaudSearch {
public:
    // Long enough for a receiver's once-a-second burst to arrive whole at any rate.
    static constexpr int DefaultDwellMs = 2500;

    explicit BaudSearch(int dwellMs = DefaultDwellMs);

    // Starts again at the first rate (a reopened port) and returns it.
    int Restart(qint64 nowMs);
    // What a read brought at the current rate (nothing on a timeout). Returns the rate to
    // set when the current one has had its time without a valid sentence.
    std::optional<int> Received(const char* bytes, int size, qint64 nowMs);

    bool Found() const { return m_found; }
    int Rate() const;

private:
    int m_dwellMs;
    int m_index = 0;
    qint64 m_since = 0;
    bool m_found = false;
    QByteArray m_line; // from the last "$" on
};
