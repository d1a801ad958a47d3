#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Draws choices and short byte strings from the fuzzer's input, so that one input describes a
// whole sequence of operations; once the input is used up every draw gives zeros.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }

    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    // 0 .. count - 1.
    int pick(int count) { return count <= 0 ? 0 : byte() % count; }
    bool flag() { return byte() & 1; }

    // A length byte, then up to that many bytes (capped at maxLength).
    QByteArray bytes(int maxLength = 32) {
        const int length = qMin(int(byte()), maxLength);
        QByteArray text;
        for (int i = 0; i < length && !atEnd(); ++i) {
            text += char(byte());
        }
        return text;
    }
    // A short name drawn from a small alphabet, so that names collide often and differ in case.
    QByteArray name(int maxLength = 3) {
        static const char Alphabet[] = "aAbB[]=; \t%\xe4\xc4";
        const int length = pick(maxLength + 1);
        QByteArray text;
        for (int i = 0; i < length; ++i) {
            text += Alphabet[pick(int(sizeof(Alphabet)) - 1)];
        }
        return text;
    }
    // UTF-16 text, two input bytes per code unit (lone surrogates included).
    QString text(int maxLength = 32) {
        const int length = qMin(int(byte()), maxLength);
        QString result;
        for (int i = 0; i < length && !atEnd(); ++i) {
            const uint16_t unit = uint16_t(byte() | (byte() << 8));
            result += QChar(unit);
        }
        return result;
    }
    // Whatever is left.
    QByteArray rest() {
        const QByteArray tail(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(m_size - m_pos));
        m_pos = m_size;
        return tail;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};
