#pragma once
// One of the framework's own files in the player-data folder (a profile, the profile
// index, the high-score table), read and written whole through its kind's header.
//
// A save never harms the previous file: the new one is written under a temporary name
// in the same folder, flushed, and renamed over the old one, after which the folder is
// flushed too. Whatever fails on the way, or a crash, leaves the old file as it was.
// A file that turns out to be damaged can be set aside under a free name, so that the
// fresh file written in its place does not destroy what the player may still want.

#include <functional>
#include <string>

namespace Vantor {
class FileBinary;
}

namespace GameFramework {

class FileHeader;

class PlayerFile {
public:
    using Body = std::function<void(Vantor::FileBinary&)>;

    // The header is not owned and must outlive this object; the path is absolute.
    PlayerFile(const FileHeader& header, const std::wstring& path);

    const std::wstring& GetPath() const { return path_; }

    // Opens the file through the header (exact version) and hands the stream to the
    // reader; every fault is thrown as Vantor::FileError.
    void Read(const Body& readBody) const;
    // Writes header and body and puts the file in place. A failure deletes the
    // temporary file, logs one error line naming the file and returns false. Refused
    // the same way for a damaged file that could not be set aside.
    bool Write(const Body& writeBody) const;
    // For a file that failed to read: an existing file is renamed to the first free
    // name of path + ".damaged", ".damaged2", ... with a warning naming both files and
    // the reason. One that cannot be renamed stays, with an error line, and from then
    // on this object never writes over it. A missing file needs nothing.
    void SetAsideDamaged(const std::string& reason);

private:
    // In the same folder; never holds the extension of the kind (the folder's listing
    // finds files by a part of their name).
    std::wstring TemporaryPath() const;
    void WriteTemporary(const std::wstring& temporary, const Body& writeBody) const;

    const FileHeader& header_;
    std::wstring path_;
    bool keptDamaged_ = false;
};

}  // namespace GameFramework
