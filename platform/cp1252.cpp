#include "platform/cp1252.h"

#include <array>

namespace {

// 0x80..0x9F; the five bytes Windows-1252 leaves undefined keep their C1 value.
constexpr char16_t k_80a9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Characters of 0x80..0x9F back to their byte; 0 when not in the block.
uchar octetSpecial(char16_t u)
{
    for (int i = 0; i < 32; ++i) {
        if (k_80a9F[i] == u)
            return uchar(0x80 + i);
    }
    return 0;
}

// -1 when the character has no Windows-1252 byte.
int versOctet(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    const uchar o = octetSpecial(u);
    return o ? o : -1;
}

} // namespace

QString DepuisCp1252(const QByteArray &octets)
{
    return DepuisCp1252(octets.constData(), octets.size());
}

QString DepuisCp1252(const char *octets, qsizetype n)
{
    QString r(n, Qt::Uninitialized);
    QChar *d = r.data();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar o = uchar(octets[i]);
        d[i] = QChar(o >= 0x80 && o < 0xA0 ? k_80a9F[o - 0x80] : char16_t(o));
    }
    return r;
}

QByteArray VersCp1252(const QString &texte)
{
    QByteArray r;
    r.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        // A character outside the basic plane is two halves but one character.
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate())
            ++i;
        const int o = versOctet(c.unicode());
        r.append(o < 0 ? '?' : char(o));
    }
    return r;
}

bool EstCp1252(QChar c)
{
    return versOctet(c.unicode()) >= 0;
}

QChar MajusculeCp1252(QChar c)
{
    const QChar m = c.toUpper();
    return EstCp1252(m) ? m : c;
}

QString MajusculesCp1252(const QString &texte)
{
    QString r = texte;
    for (QChar &c : r)
        c = MajusculeCp1252(c);
    return r;
}
