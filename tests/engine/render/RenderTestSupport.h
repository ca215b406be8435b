#pragma once
// What the picture reader tests share: one log and one file manager over a temporary
// base folder for the whole test program, fixture files and in-memory streams.

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/FileBinary.h"

namespace rendertest {

// Writes a file below the base folder and returns its path relative to it
// ("pictures\" + name).
std::wstring WritePicture(const std::string& name, const std::string& bytes);

// A stream over a copy of the bytes, held in memory like a pack entry.
std::unique_ptr<Vantor::FileBinary> MemoryStream(const std::string& bytes, const std::wstring& path = L"memory");
// A stream over a disk file holding the bytes, read through its handle.
std::unique_ptr<Vantor::FileBinary> DiskStream(const std::string& name, const std::string& bytes);

// The error texts (all texts) logged since the last call to either (or the program's start).
std::vector<std::string> TakeLoggedErrors();
std::vector<std::string> TakeLoggedTexts();

// Little-endian byte writers for fixtures built in code.
void PutU8(std::string& out, unsigned value);
void PutU16(std::string& out, unsigned value);
void PutU32(std::string& out, unsigned value);

}  // namespace rendertest
