#pragma once
// A text table written below the data folder of a private home, read with the kernel
// managers the engine makes first; the locale goes back to "C" after each test.

#include <string>

#include "platform/Crt.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace guitoolstest {

// UTF-8 with its byte-order mark, by which the XML reader knows it.
inline std::string Utf8Document(const std::string& body) {
    return "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + body;
}

class TextTableTest : public enginetest::KernelManagersTest {
protected:
    void TearDown() override {
        crt::setlocale(LC_ALL, "C");
        KernelManagersTest::TearDown();
    }

    void WriteTexts(const std::string& body) const {
        home_.folder.WriteFile("data/texts/texts.xml", Utf8Document(body));
    }
};

}  // namespace guitoolstest
