#pragma once
// Readable gtest output for Qt texts and byte arrays.
#include "support/QtPrinters.h"

#include <QByteArray>
#include <ostream>

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << bytes.toStdString() << '"';
}
