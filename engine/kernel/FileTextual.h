#pragma once
// Line-oriented text over a FileBinary stream in 8-bit text, UTF-16 (either byte
// order) or UTF-8. Reading takes the encoding from the byte-order mark; writing
// writes the mark of the chosen encoding first. CR LF, a lone CR and a lone LF each
// end a line; "//" comments can be removed as lines are read.
//
// A writing text file reaches its stream through a 1024-byte buffer. Call Close()
// inside your error handling to learn whether the last bytes reached the file; the
// destructor closes too, but can only log a failure.

#include <cstdint>
#include <string>
#include <vector>

namespace Vantor {

class FileBinary;

enum class TextEncoding : int {
    EightBit = 0,           // the run-time's current multibyte code page, no mark
    Utf16BigEndian = 1,     // FE FF
    Utf16LittleEndian = 2,  // FF FE
    Utf8 = 3,               // EF BB BF; characters up to U+FFFF
};

class FileTextual {
public:
    static constexpr int kRead = 0;
    static constexpr int kWrite = 1;

    // Opens the disk file itself (no pack is consulted), read through its handle.
    FileTextual(const std::wstring& path, int mode, TextEncoding encoding);
    // Takes over an opened stream.
    FileTextual(FileBinary* stream, int mode, TextEncoding encoding);
    virtual ~FileTextual();
    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;

    // False once the end of the file was reached; else true with the next line (or,
    // in word mode, the next word).
    bool ReadLine(std::string& line, bool stripComments, bool wordMode);
    bool ReadLine(std::wstring& line, bool stripComments, bool wordMode);
    // The rest of the text, lines joined with CR LF.
    void ReadAll(std::wstring& text, bool stripComments);

    void WriteText(const std::string& text);
    void WriteNewLine();

    // Writes out what is buffered and closes the stream. Throws FileError when the
    // bytes could not be written; the stream is closed either way. Closing twice does
    // nothing.
    void Close();

    TextEncoding GetEncoding() const { return encoding_; }

private:
    static constexpr int kBufferSize = 1024;

    void Initialize();
    void Rewind();
    std::uint16_t ReadByte();
    void WriteByte(std::uint8_t byte);
    void Flush();
    std::uint16_t ReadChar();
    void WriteChar(std::uint16_t character);
    void WriteBytes(const char* text);
    std::uint32_t GetLength() const;
    FileBinary& Stream() const;
    template <class Char>
    bool ReadRawLine(std::basic_string<Char>& line, bool stripComments, bool wordMode);

    int mode_;
    TextEncoding encoding_;
    FileBinary* stream_;
    bool endOfFile_ = false;
    std::vector<std::uint8_t> buffer_;
    int bufferIndex_ = -1;
    int bufferCount_ = 0;
    char replacement_ = '?';
    bool atStart_ = true;
    bool pending_ = false;
    std::uint16_t pendingChar_ = 0;
};

}  // namespace Vantor
