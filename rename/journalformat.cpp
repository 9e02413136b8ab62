#include "rename/journalformat.h"

#include "common/listedpath.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace tarnwick::journal {

namespace {

// A record's frame: its length and its checksum, before its bytes.
constexpr qsizetype kFrameSize = 8;

using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table k tells what a byte does to the checksum k bytes further on, so that eight bytes are
// taken at a step: most records are a few dozen bytes, too short for a library's wide path.
constexpr CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::size_t n = 0; n < 256; ++n)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
    }
    return tables;
}

constexpr CrcTables kCrc = MakeCrcTables();

// Seven bits a byte: sequence numbers and inodes are small, and most records short.
constexpr qsizetype kNumberMost = 10;

char* PutNumber(char* at, std::uint64_t value) {
    do {
        const auto low = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
        *at++ = static_cast<char>(value ? low | 0x80 : low);
    } while (value);
    return at;
}

qsizetype TextMost(QStringView text) {
    return kNumberMost + 2 * text.size();
}

// Its length tells, in its lowest bit, whether each unit takes one byte. Needs TextMost(text)
// bytes of room at most.
char* PutText(char* at, QStringView text) {
    const qsizetype units = text.size();
    const auto* from = reinterpret_cast<const char16_t*>(text.constData());
    const bool narrow = std::all_of(from, from + units, [](char16_t unit) { return unit < 0x100; });
    at = PutNumber(at, static_cast<std::uint64_t>(units) << 1 | (narrow ? 1 : 0));
    if (!narrow) {
        qToLittleEndian<char16_t>(from, units, at);
        return at + units * 2;
    }
    return std::transform(from, from + units, at,
                          [](char16_t unit) { return static_cast<char>(unit); });
}

} // namespace

std::uint32_t Crc32(const char* data, qsizetype size) {
    const auto* at = reinterpret_cast<const unsigned char*>(data);
    std::uint32_t crc = 0xFFFFFFFFu;
    for (; size >= 8; size -= 8, at += 8) {
        const std::uint32_t low = crc ^ qFromLittleEndian<std::uint32_t>(at);
        const std::uint32_t high = qFromLittleEndian<std::uint32_t>(at + 4);
        crc = kCrc[7][low & 0xFF] ^ kCrc[6][(low >> 8) & 0xFF] ^ kCrc[5][(low >> 16) & 0xFF] ^
              kCrc[4][low >> 24] ^ kCrc[3][high & 0xFF] ^ kCrc[2][(high >> 8) & 0xFF] ^
              kCrc[1][(high >> 16) & 0xFF] ^ kCrc[0][high >> 24];
    }
    for (; size > 0; --size, ++at)
        crc = kCrc[0][(crc ^ *at) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void Encoder::preamble() {
    m_out.append(kMagic, sizeof kMagic);
    char version[2];
    qToLittleEndian(kVersion, version);
    m_out.append(version, 2);
}

qsizetype Encoder::open(RecordType type) {
    flush();
    const qsizetype start = m_out.size();
    m_out.append(kFrameSize, '\0');
    put(static_cast<std::uint8_t>(type));
    return start;
}

void Encoder::close(qsizetype start) {
    const qsizetype body = start + kFrameSize;
    const auto size = static_cast<std::uint32_t>(m_out.size() - body);
    char* frame = m_out.data() + start;
    qToLittleEndian(size, frame);
    qToLittleEndian(Crc32(m_out.constData() + body, size), frame + 4);
}

void Encoder::put(std::uint64_t value) {
    char bytes[kNumberMost];
    m_out.append(bytes, PutNumber(bytes, value) - bytes);
}

void Encoder::put(QStringView text) {
    const qsizetype at = m_out.size();
    m_out.resize(at + TextMost(text));
    m_out.truncate(PutText(m_out.data() + at, text) - m_out.constData());
}

void Encoder::put(FileIdentity identity) {
    put(static_cast<std::uint64_t>(identity.device));
    put(static_cast<std::uint64_t>(identity.inode));
}

void Encoder::header(const Header& header) {
    const qsizetype start = open(RecordType::Header);
    put(static_cast<std::uint8_t>(header.kind));
    put(static_cast<std::uint64_t>(header.processId));
    put(static_cast<std::uint64_t>(header.bootId.size()));
    m_out.append(header.bootId);
    put(static_cast<std::uint64_t>(header.startedMs));
    close(start);
}

void Encoder::intent(const Intent& intent) {
    this->intent(intent.sequence, intent.parent, intent.before, intent.after, intent.identity,
                 intent.mayDetour);
}

void Encoder::intent(std::uint64_t sequence, const QString& parent, QStringView before,
                     QStringView after, FileIdentity identity, bool mayDetour) {
    const qsizetype start = open(RecordType::Intent);
    const bool sameParent = m_wroteIntent && EqualText(parent, m_lastParent);
    // A run writes a hundred thousand of these ahead of its first rename: room for the whole
    // record is made once, and its fields written in place.
    const qsizetype most = kNumberMost + 1 + (sameParent ? 0 : TextMost(parent)) +
                           TextMost(before) + TextMost(after) + 2 * kNumberMost;
    m_out.resize(m_out.size() + most);
    char* at = m_out.data() + m_out.size() - most;
    at = PutNumber(at, sequence);
    *at++ = static_cast<char>((mayDetour ? kMayDetour : 0) | (sameParent ? kSameParent : 0));
    if (!sameParent) {
        at = PutText(at, parent);
        m_lastParent = parent;
        m_wroteIntent = true;
    }
    at = PutText(at, before);
    at = PutText(at, after);
    at = PutNumber(at, static_cast<std::uint64_t>(identity.device));
    at = PutNumber(at, static_cast<std::uint64_t>(identity.inode));
    m_out.truncate(at - m_out.constData());
    close(start);
}

void Encoder::renamed(std::uint64_t sequence, const QString& parent, const QString& before,
                      const QString& after, FileIdentity identity) {
    const qsizetype start = open(RecordType::Renamed);
    put(sequence);
    put(parent);
    put(before);
    put(after);
    put(identity);
    close(start);
}

void Encoder::renamedAsMeant(std::uint64_t sequence) {
    // A run renames its folders in order: one record tells of a whole stretch of them.
    if (m_meantCount > 0 && sequence == m_meantFirst + m_meantCount) {
        ++m_meantCount;
        return;
    }
    flush();
    m_meantFirst = sequence;
    m_meantCount = 1;
}

void Encoder::flush() {
    if (m_meantCount == 0)
        return;
    const std::uint64_t count = std::exchange(m_meantCount, 0);
    const qsizetype start = open(RecordType::RenamedAsMeant);
    put(m_meantFirst);
    put(count);
    close(start);
}

void Encoder::retires(const QString& record) {
    const qsizetype start = open(RecordType::Retires);
    put(record);
    close(start);
}

void Encoder::left(std::uint64_t sequence) {
    const qsizetype start = open(RecordType::Left);
    put(sequence);
    close(start);
}

void Encoder::withdrawn() {
    close(open(RecordType::Withdrawn));
}

void Encoder::ready() {
    close(open(RecordType::Ready));
}

void Encoder::finished() {
    close(open(RecordType::Finished));
}

const char* Decoder::take(qsizetype count) {
    if (count < 0 || count > m_size - m_at)
        return nullptr;
    const char* at = m_data + m_at;
    m_at += count;
    return at;
}

std::optional<std::uint8_t> Decoder::byte() {
    const char* at = take(1);
    if (!at)
        return std::nullopt;
    return static_cast<std::uint8_t>(*at);
}

std::optional<std::uint64_t> Decoder::number() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const std::optional<std::uint8_t> next = byte();
        if (!next)
            return std::nullopt;
        value |= static_cast<std::uint64_t>(*next & 0x7F) << shift;
        if (!(*next & 0x80))
            return value;
    }
    return std::nullopt;
}

std::optional<QString> Decoder::text() {
    const std::optional<std::uint64_t> length = number();
    const std::uint64_t units = length ? *length >> 1 : 0;
    if (!length || units > kLargestRecord)
        return std::nullopt;
    const bool narrow = (*length & 1) != 0;
    const char* at = take(static_cast<qsizetype>(units) * (narrow ? 1 : 2));
    if (!at)
        return std::nullopt;
    if (narrow)
        return QString::fromLatin1(at, static_cast<qsizetype>(units));
    QString text(static_cast<qsizetype>(units), Qt::Uninitialized);
    qFromLittleEndian<char16_t>(at, text.size(), text.data());
    return text;
}

std::optional<QByteArray> Decoder::bytes() {
    const std::optional<std::uint64_t> size = number();
    if (!size || *size > kLargestRecord)
        return std::nullopt;
    const char* at = take(static_cast<qsizetype>(*size));
    if (!at)
        return std::nullopt;
    return QByteArray(at, static_cast<qsizetype>(*size));
}

std::optional<FileIdentity> Decoder::identity() {
    const std::optional<std::uint64_t> device = number();
    const std::optional<std::uint64_t> inode = number();
    if (!device || !inode)
        return std::nullopt;
    return FileIdentity{*device, *inode};
}

std::optional<Frame> NextFrame(const QByteArray& data, qsizetype offset) {
    if (data.size() - offset < kFrameSize + 1)
        return std::nullopt;
    const char* frame = data.constData() + offset;
    const auto size = qFromLittleEndian<std::uint32_t>(frame);
    const auto crc = qFromLittleEndian<std::uint32_t>(frame + 4);
    if (size == 0 || size > kLargestRecord || size > data.size() - offset - kFrameSize)
        return std::nullopt;
    const char* body = frame + kFrameSize;
    if (Crc32(body, size) != crc)
        return std::nullopt;
    return Frame{static_cast<RecordType>(static_cast<std::uint8_t>(body[0])), body + 1,
                 static_cast<qsizetype>(size) - 1, offset + kFrameSize + size};
}

} // namespace tarnwick::journal
