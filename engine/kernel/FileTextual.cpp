#include "engine/kernel/FileTextual.h"

#include <type_traits>

#include "engine/kernel/Error.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/Crt.h"

namespace Vantor {

namespace {

constexpr std::uint16_t kCR = 13;
constexpr std::uint16_t kLF = 10;
constexpr std::uint16_t kByteOrderMark = 0xFEFF;
constexpr std::uint16_t kReplacementCharacter = 0xFFFD;

}  // namespace

FileTextual::FileTextual(const std::wstring& path, int mode, TextEncoding encoding)
    : FileTextual(new FileBinary(path, mode == kWrite ? 1 : 0), mode, encoding) {}

FileTextual::FileTextual(FileBinary* stream, int mode, TextEncoding encoding)
    : mode_(mode), encoding_(encoding), stream_(stream) {
    try {
        Initialize();
    } catch (...) {
        delete stream_;
        throw;
    }
}

FileTextual::~FileTextual() {
    try {
        Close();
    } catch (const Error& error) {
        if (MessageManager* log = MessageManager::Instance()) log->PrintError(error.GetText());
    }
}

void FileTextual::Close() {
    if (stream_ == nullptr) return;
    try {
        if (mode_ == kWrite) Flush();
    } catch (...) {
        delete stream_;
        stream_ = nullptr;
        throw;
    }
    delete stream_;
    stream_ = nullptr;
}

FileBinary& FileTextual::Stream() const {
    if (stream_ == nullptr) throw FileError("Failed to use a text file after it was closed");
    return *stream_;
}

void FileTextual::Initialize() {
    replacement_ = '?';
    buffer_.assign(kBufferSize, 0);
    bufferIndex_ = -1;
    bufferCount_ = 0;
    atStart_ = true;
    endOfFile_ = false;
    pending_ = false;

    if (mode_ == kWrite) {
        if (encoding_ == TextEncoding::Utf16BigEndian || encoding_ == TextEncoding::Utf16LittleEndian)
            WriteChar(kByteOrderMark);
        else if (encoding_ == TextEncoding::Utf8)
            WriteBytes("\xEF\xBB\xBF");
        return;
    }

    const std::uint16_t first = ReadByte();
    const std::uint16_t second = ReadByte();
    if (first == 0xFF && second == 0xFE) {
        encoding_ = TextEncoding::Utf16LittleEndian;
    } else if (first == 0xFE && second == 0xFF) {
        encoding_ = TextEncoding::Utf16BigEndian;
    } else if (first == 0xEF && second == 0xBB && ReadByte() == 0xBF) {
        encoding_ = TextEncoding::Utf8;
    } else {
        encoding_ = TextEncoding::EightBit;
        Rewind();
    }
}

void FileTextual::Rewind() {
    Stream().Seek(0, 0);
    pending_ = false;
    bufferIndex_ = -1;
    atStart_ = true;
    endOfFile_ = false;
}

std::uint16_t FileTextual::ReadByte() {
    if (pending_) {
        pending_ = false;
        return pendingChar_ & 0xFF;
    }
    if (bufferIndex_ == -1 || bufferIndex_ == kBufferSize - 1) {
        std::uint32_t got = 0;
        Stream().Read(buffer_.data(), 1, kBufferSize, &got);
        bufferCount_ = static_cast<int>(got);
        if (got == 0) {
            endOfFile_ = true;
            return 0;
        }
        bufferIndex_ = 0;
    } else if (++bufferIndex_ >= bufferCount_) {
        endOfFile_ = true;
        return 0;
    }
    return buffer_[static_cast<std::size_t>(bufferIndex_)];
}

std::uint16_t FileTextual::ReadChar() {
    if (pending_) {
        pending_ = false;
        return pendingChar_;
    }
    switch (encoding_) {
        case TextEncoding::Utf16BigEndian: {
            const std::uint16_t high = ReadByte();
            return static_cast<std::uint16_t>(high << 8 | ReadByte());
        }
        case TextEncoding::Utf16LittleEndian: {
            const std::uint16_t low = ReadByte();
            return static_cast<std::uint16_t>(low | ReadByte() << 8);
        }
        default: {
            const std::uint16_t first = ReadByte();
            int leadingOnes = 0;
            while (leadingOnes < 8 && (first & (0x80 >> leadingOnes))) ++leadingOnes;
            if (leadingOnes == 0) return first;
            if (leadingOnes == 2) return static_cast<std::uint16_t>((first & 0x1F) << 6 | (ReadByte() & 0x3F));
            if (leadingOnes == 3) {
                const std::uint16_t second = ReadByte();
                return static_cast<std::uint16_t>((first & 0x0F) << 12 | (second & 0x3F) << 6 | (ReadByte() & 0x3F));
            }
            return kReplacementCharacter;
        }
    }
}

void FileTextual::WriteByte(std::uint8_t byte) {
    if (bufferIndex_ + 1 >= kBufferSize) Flush();
    buffer_[static_cast<std::size_t>(++bufferIndex_)] = byte;
}

void FileTextual::Flush() {
    if (bufferIndex_ >= 0) {
        const std::uint32_t count = static_cast<std::uint32_t>(bufferIndex_ + 1);
        bufferIndex_ = -1;
        Stream().Write(buffer_.data(), 1, count);
    }
}

void FileTextual::WriteChar(std::uint16_t character) {
    switch (encoding_) {
        case TextEncoding::Utf16BigEndian:
            WriteByte(static_cast<std::uint8_t>(character >> 8));
            WriteByte(static_cast<std::uint8_t>(character));
            break;
        case TextEncoding::Utf16LittleEndian:
            WriteByte(static_cast<std::uint8_t>(character));
            WriteByte(static_cast<std::uint8_t>(character >> 8));
            break;
        default:
            if (character <= 0x7F) {
                WriteByte(static_cast<std::uint8_t>(character));
            } else if (character <= 0x7FF) {
                WriteByte(static_cast<std::uint8_t>(0xC0 | character >> 6));
                WriteByte(static_cast<std::uint8_t>(0x80 | (character & 0x3F)));
            } else {
                WriteByte(static_cast<std::uint8_t>(0xE0 | character >> 12));
                WriteByte(static_cast<std::uint8_t>(0x80 | ((character >> 6) & 0x3F)));
                WriteByte(static_cast<std::uint8_t>(0x80 | (character & 0x3F)));
            }
            break;
    }
}

void FileTextual::WriteBytes(const char* text) {
    for (; *text != '\0'; ++text) WriteByte(static_cast<std::uint8_t>(*text));
}

std::uint32_t FileTextual::GetLength() const {
    const std::uint32_t size = Stream().GetSize();
    const bool utf16 = encoding_ == TextEncoding::Utf16BigEndian || encoding_ == TextEncoding::Utf16LittleEndian;
    return utf16 ? size / 2 : size;
}

// One line (or word) read by bytes (Char = char, 8-bit files) or by characters
// (Char = wchar_t, the other encodings).
template <class Char>
bool FileTextual::ReadRawLine(std::basic_string<Char>& line, bool stripComments, bool wordMode) {
    constexpr bool byBytes = std::is_same_v<Char, char>;
    auto next = [this] { return byBytes ? ReadByte() : ReadChar(); };
    auto isBlank = [](std::uint16_t c) { return byBytes ? crt::isspace(c) != 0 : crt::iswspace(c) != 0; };

    line.clear();
    if (endOfFile_) return false;
    std::uint16_t c = next();
    if (atStart_) {
        atStart_ = false;
    } else if (wordMode && isBlank(c)) {
        // c ended the previous read: skip it.
        c = next();
    } else if (c == kCR) {
        c = next();
        if (c == kLF) c = next();
    } else if (c == kLF) {
        c = next();
    }

    const std::basic_string<Char> comment(2, Char('/'));
    while (c != kCR && c != kLF && !endOfFile_ && !(wordMode && isBlank(c))) {
        line.push_back(static_cast<Char>(c));
        // A comment is read whole, blanks included.
        if (stripComments && wordMode && line == comment) wordMode = false;
        c = next();
    }
    pending_ = true;
    pendingChar_ = c;

    if (stripComments) {
        const auto start = line.find(comment);
        if (start != std::basic_string<Char>::npos) line.erase(start);
    }
    return true;
}

bool FileTextual::ReadLine(std::string& line, bool stripComments, bool wordMode) {
    if (encoding_ == TextEncoding::EightBit) return ReadRawLine(line, stripComments, wordMode);
    std::wstring wide;
    const bool read = ReadRawLine(wide, stripComments, wordMode);
    line.clear();
    char bytes[8];
    for (wchar_t unit : wide) {
        const int count = crt::wctomb(bytes, unit);
        if (count > 0)
            line.append(bytes, static_cast<std::size_t>(count));
        else
            line.push_back(replacement_);
    }
    return read;
}

bool FileTextual::ReadLine(std::wstring& line, bool stripComments, bool wordMode) {
    if (encoding_ != TextEncoding::EightBit) return ReadRawLine(line, stripComments, wordMode);
    std::string bytes;
    const bool read = ReadRawLine(bytes, stripComments, wordMode);
    ToWide(bytes, line);
    return read;
}

void FileTextual::ReadAll(std::wstring& text, bool stripComments) {
    text.clear();
    text.reserve(GetLength() + 2);
    std::wstring line;
    bool first = true;
    while (ReadLine(line, stripComments, false)) {
        if (!first) text += L"\r\n";
        text += line;
        first = false;
    }
}

void FileTextual::WriteText(const std::string& text) {
    if (encoding_ == TextEncoding::EightBit) {
        WriteBytes(text.c_str());
        return;
    }
    for (wchar_t unit : ToWide(text)) WriteChar(static_cast<std::uint16_t>(unit));
}

void FileTextual::WriteNewLine() {
    if (encoding_ == TextEncoding::EightBit) {
        WriteByte(kCR);
        WriteByte(kLF);
    } else {
        WriteChar(kCR);
        WriteChar(kLF);
    }
}

}  // namespace Vantor
