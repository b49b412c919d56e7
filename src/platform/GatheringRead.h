#pragma once
// One read of a serial line or socket that wakes the reading thread twice a read, not for
// every few bytes a slow receiver sends: it waits for the first byte, then sleeps while
// more arrive, then takes what has come in one go.
#include "platform/SerialPort.h"

namespace GatheringRead {

// How long bytes gather after the first one: together with the delivery this keeps
// every byte within 100 ms of its arrival.
constexpr int GatherMs = 80;

// On the non-blocking descriptor `fd`: waits up to `timeoutMs` for the first byte; once
// one is there, waits GatherMs more unless `maxBytes` are there already, then reads up to
// `maxBytes`. Data with 1..maxBytes bytes in `received`; Timeout when nothing came; Gone
// when the descriptor reports a hang-up, an end or an error.
SerialPort::ReadResult read(int fd, char* buffer, int maxBytes, int timeoutMs, int& received);

} // namespace GatheringRead
