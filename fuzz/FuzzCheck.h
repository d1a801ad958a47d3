#pragma once

#include <QByteArray>
#include <QDebug>

#include <cstdlib>

// A broken property: say which and stop, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            qWarning("property broken: %s (%s:%d)", #condition, __FILE__, __LINE__);                                   \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
