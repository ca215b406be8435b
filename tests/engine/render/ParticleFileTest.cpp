#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "content/ParticleFileWriter.h"
#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileError.h"
#include "engine/kernel/FileManager.h"
#include "engine/render/ParticleFileReader.h"
#include "tests/engine/render/RenderTestSupport.h"

namespace {

using Content::ParticleFileWriter;
using Vantor::ParticleFileReader;

class ParticleFileTest : public testing::Test {
protected:
    // The shared log and file manager of the render tests.
    void SetUp() override { rendertest::TakeLoggedErrors(); }
};

std::wstring WriteBytes(const std::wstring& name, const ParticleFileWriter::Bytes& bytes) {
    const std::wstring path = L"data\\" + name;
    Vantor::FileManager::CreateFolders(Vantor::FileManager::GetAbsolutePath(path));
    Vantor::FileBinary file(path, 1);
    file.Write(bytes.data(), 1, static_cast<std::uint32_t>(bytes.size()));
    return name;
}

std::wstring Write(const std::wstring& name, const ParticleFileWriter::ParticleSystem& system) {
    return WriteBytes(name, ParticleFileWriter::Build(system));
}

// A file whose every key differs from its neighbours, so a field read from the wrong
// offset shows.
ParticleFileWriter::ParticleSystem Distinct(std::int32_t version) {
    ParticleFileWriter::ParticleSystem s;
    s.version = version;
    s.maxParticles = 250;
    s.period = 2.5f;
    s.gravityOn = 0;
    s.gravity = 3.5f;
    s.floorOn = 7;  // any non-zero byte is on
    s.floorZ = -4.0f;
    s.bounceDamping = 0.75f;
    s.killWhenStopped = 0;
    s.stopThreshold = 0.25f;
    s.interpolate = 0;
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        const float f = static_cast<float>(k);
        s.rate[k] = 100 + f;
        s.life[k] = 200 + f;
        s.lifeSpread[k] = 300 + f;
        for (int c = 0; c < 3; ++c) {
            s.directionBase[k][c] = 400 + 10 * f + c;
            s.directionSpread[k][c] = 500 + 10 * f + c;
        }
        for (int c = 0; c < 4; ++c) s.colour[k][c] = 600 + 10 * f + c;
        s.size[k] = 700 + f;
        s.speedBase[k] = 800 + f;
        s.speedSpread[k] = 900 + f;
    }
    s.emitterShape = 1;
    s.boxMinimum[0] = -1;
    s.boxMinimum[1] = -2;
    s.boxMinimum[2] = -3;
    s.boxMaximum[0] = 1;
    s.boxMaximum[1] = 2;
    s.boxMaximum[2] = 3;
    return s;
}

ParticleFileReader::Contents Read(const std::wstring& name) {
    ParticleFileReader::Contents contents;
    ParticleFileReader::Read(name, contents);
    return contents;
}

void ExpectVector(const Vantor::Vector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

void ExpectDistinctBody(const ParticleFileReader::Contents& c, bool withSpeedSpread) {
    EXPECT_EQ(c.maxParticles, 250u);
    const Vantor::ParticleParameters& p = c.parameters;
    EXPECT_FLOAT_EQ(p.period, 2.5f);
    EXPECT_FALSE(p.gravityOn);
    EXPECT_FLOAT_EQ(p.gravity, 3.5f);
    EXPECT_TRUE(p.floorOn);
    EXPECT_FLOAT_EQ(p.floorZ, -4.0f);
    EXPECT_FLOAT_EQ(p.bounceDamping, 0.75f);
    EXPECT_FALSE(p.killWhenStopped);
    EXPECT_FLOAT_EQ(p.stopThreshold, 0.25f);
    EXPECT_FALSE(p.interpolate);
    for (int k = 0; k < ParticleFileWriter::kKeyCount; ++k) {
        SCOPED_TRACE("key " + std::to_string(k));
        const float f = static_cast<float>(k);
        EXPECT_FLOAT_EQ(p.rate[k], 100 + f);
        EXPECT_FLOAT_EQ(p.life[k], 200 + f);
        EXPECT_FLOAT_EQ(p.lifeSpread[k], 300 + f);
        ExpectVector(p.directionBase[k], 400 + 10 * f, 401 + 10 * f, 402 + 10 * f);
        ExpectVector(p.directionSpread[k], 500 + 10 * f, 501 + 10 * f, 502 + 10 * f);
        EXPECT_FLOAT_EQ(p.colour[k].x, 600 + 10 * f);
        EXPECT_FLOAT_EQ(p.colour[k].y, 601 + 10 * f);
        EXPECT_FLOAT_EQ(p.colour[k].z, 602 + 10 * f);
        EXPECT_FLOAT_EQ(p.colour[k].w, 603 + 10 * f);
        EXPECT_FLOAT_EQ(p.size[k], 700 + f);
        EXPECT_FLOAT_EQ(p.speedBase[k], 800 + f);
        EXPECT_FLOAT_EQ(p.speedSpread[k], withSpeedSpread ? 900 + f : 0.0f);
    }
    EXPECT_EQ(c.emitterShape, 1);
    ExpectVector(c.boxMinimum, -1, -2, -3);
    ExpectVector(c.boxMaximum, 1, 2, 3);
}

// The text of the Error the reader throws, which must not be a FileError.
std::string ReadError(const std::wstring& name) {
    try {
        Read(name);
    } catch (const Vantor::FileError& error) {
        ADD_FAILURE() << "a FileError left the reader: " << error.GetText();
    } catch (const Vantor::Error& error) {
        return error.GetText();
    }
    ADD_FAILURE() << "the file was read";
    return {};
}

TEST_F(ParticleFileTest, Version204ReadsEveryFieldInFileOrder) {
    const ParticleFileWriter::Bytes bytes = ParticleFileWriter::Build(Distinct(204));
    EXPECT_EQ(bytes.size(), 453u);
    ExpectDistinctBody(Read(WriteBytes(L"fx\\v204.psf", bytes)), true);
    EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::IsEmpty());
}

TEST_F(ParticleFileTest, Version203HasNoSpeedSpreadBlock) {
    const ParticleFileWriter::Bytes bytes = ParticleFileWriter::Build(Distinct(203));
    EXPECT_EQ(bytes.size(), 429u);
    // The emitter fields follow the speed keys directly.
    ExpectDistinctBody(Read(WriteBytes(L"fx\\v203.psf", bytes)), false);
}

TEST_F(ParticleFileTest, LargestPoolIsAccepted) {
    ParticleFileWriter::ParticleSystem system;
    system.maxParticles = ParticleFileReader::kMaxParticles;
    EXPECT_EQ(Read(Write(L"fx\\largest.psf", system)).maxParticles, ParticleFileReader::kMaxParticles);
}

struct BrokenFile {
    const char* what;
    ParticleFileWriter::Bytes bytes;
    std::string expectedText;
};

ParticleFileWriter::Bytes With(void (*change)(ParticleFileWriter::ParticleSystem&)) {
    ParticleFileWriter::ParticleSystem system;
    change(system);
    return ParticleFileWriter::Build(system);
}

TEST_F(ParticleFileTest, BrokenFilesAreLoggedAndThrownAsError) {
    const std::string format = "Incorrect \"fx\\broken.psf\" file format";
    ParticleFileWriter::Bytes longer = ParticleFileWriter::Build({});
    longer.push_back(0);
    ParticleFileWriter::Bytes badMagic = ParticleFileWriter::Build({});
    badMagic[8] = 'X';
    // The stored length matches, but the body ends in the emitter box.
    ParticleFileWriter::Bytes cut = ParticleFileWriter::Build({});
    cut.resize(cut.size() - 4);
    const auto cutLength = static_cast<std::uint32_t>(cut.size());
    std::memcpy(cut.data(), &cutLength, sizeof(cutLength));

    const BrokenFile files[] = {
        {"length differs from the size", longer, format},
        {"wrong magic", badMagic, format},
        {"unknown version", With([](auto& s) { s.version = 205; }),
         "Incorrect \"fx\\broken.psf\" format version, current is 204"},
        {"period 0", With([](auto& s) { s.period = 0.0f; }), format + ": emission period 0.000000 is not above 0"},
        {"negative period", With([](auto& s) { s.period = -1.0f; }),
         format + ": emission period -1.000000 is not above 0"},
        {"period not a number", With([](auto& s) { s.period = std::numeric_limits<float>::quiet_NaN(); }), ""},
        {"pool too large", With([](auto& s) { s.maxParticles = ParticleFileReader::kMaxParticles + 1; }),
         format + ": 10001 particles, at most 10000"},
        {"pool of 2^32 - 1", With([](auto& s) { s.maxParticles = 0xFFFFFFFFu; }),
         format + ": 4294967295 particles, at most 10000"},
        {"cut short", cut, ""},
    };
    for (const BrokenFile& file : files) {
        SCOPED_TRACE(file.what);
        const std::string text = ReadError(WriteBytes(L"fx\\broken.psf", file.bytes));
        if (!file.expectedText.empty()) {
            EXPECT_EQ(text, file.expectedText);
        }
        EXPECT_FALSE(text.empty());
        EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::ElementsAre("\nError: " + text + "!\n\n"));
    }
}

TEST_F(ParticleFileTest, MissingFileIsLoggedAndThrownAsError) {
    const std::string text = ReadError(L"fx\\missing.psf");
    EXPECT_THAT(text, testing::HasSubstr("missing.psf"));
    EXPECT_THAT(rendertest::TakeLoggedErrors(), testing::ElementsAre("\nError: " + text + "!\n\n"));
}

}  // namespace
