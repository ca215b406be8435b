#include "tools/XMLValue.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/Crt.h"

namespace {

using GameTools::XMLValue;

class XMLValueTest : public ::testing::Test {
protected:
    void TearDown() override { crt::setlocale(LC_ALL, "C"); }
};

// The same text once with the wide form current and once with the narrow one.
std::vector<XMLValue> BothForms(const std::string& text) {
    XMLValue narrow;
    narrow.SetString(text);
    return {XMLValue(std::wstring(text.begin(), text.end())), narrow};
}

TEST_F(XMLValueTest, EachFormIsConvertedOnceOnDemand) {
    const XMLValue empty;
    EXPECT_EQ(empty.GetState(), XMLValue::kBothCurrent);
    EXPECT_EQ(empty.GetString(), "");

    XMLValue value(L"caf\u00E9");
    EXPECT_EQ(value.GetState(), XMLValue::kWideCurrent);
    EXPECT_EQ(value.GetString(), "caf\xE9");
    EXPECT_EQ(value.GetState(), XMLValue::kBothCurrent);
    EXPECT_EQ(value.GetWideString(), L"caf\u00E9");

    value.SetString("plain");
    EXPECT_EQ(value.GetState(), XMLValue::kNarrowCurrent);
    EXPECT_EQ(value.GetWideString(), L"plain");
    EXPECT_EQ(value.GetState(), XMLValue::kBothCurrent);

    value.SetWideString(L"wide");
    EXPECT_EQ(value.GetState(), XMLValue::kWideCurrent);
    EXPECT_EQ(value.GetString(), "wide");
}

TEST_F(XMLValueTest, NumbersAreReadFromTheCurrentTextWithoutChangingTheState) {
    struct Case {
        const char* text;
        int integer;
        bool flag;
        float number;
    };
    const Case cases[] = {
        {"1", 1, true, 1.0f},
        {"0", 0, false, 0.0f},
        {"yes", 0, false, 0.0f},
        {"true", 0, false, 0.0f},
        {"  -12abc", -12, true, -12.0f},
        {"2.75", 2, true, 2.75f},
        {"", 0, false, 0.0f},
        {"99999999999", INT_MAX, true, 99999999999.0f},
    };
    for (const Case& c : cases) {
        for (const XMLValue& value : BothForms(c.text)) {
            const int state = value.GetState();
            EXPECT_EQ(value.GetInt(), c.integer) << c.text;
            EXPECT_EQ(value.GetBool(), c.flag) << c.text;
            EXPECT_FLOAT_EQ(value.GetFloat(), c.number) << c.text;
            EXPECT_EQ(value.GetState(), state);
        }
    }
}

TEST_F(XMLValueTest, ListsTakeTheFirstTokensAndLeaveTheRest) {
    for (const XMLValue& value : BothForms("1.0, 0.5")) {
        const Vantor::Vector4 four = value.GetFloat4();
        EXPECT_EQ((std::vector<float>{four.x, four.y, four.z, four.w}), (std::vector<float>{1.0f, 0.5f, 0.0f, 0.0f}));
    }
    for (const XMLValue& value : BothForms("1 2 3 4 5")) {
        const Vantor::Vector4 four = value.GetFloat4();
        EXPECT_EQ((std::vector<float>{four.x, four.y, four.z, four.w}), (std::vector<float>{1, 2, 3, 4}));
        const int state = value.GetState();
        int ints[6] = {7, 7, 7, 7, 7, 7};
        value.GetInts(ints, 6);
        EXPECT_EQ((std::vector<int>(ints, ints + 6)), (std::vector<int>{1, 2, 3, 4, 5, 7}));
        EXPECT_EQ(value.GetState(), state);
    }
    // Separators of any kind and number; '+', '-', '.' and letters belong to tokens.
    for (const XMLValue& value : BothForms("(+3;;  -4) 1e2|x.5")) {
        const Vantor::Vector2i pair = value.GetInt2();
        EXPECT_EQ(pair.x, 3);
        EXPECT_EQ(pair.y, -4);
        float floats[4] = {};
        value.GetFloats(floats, 4);
        EXPECT_EQ((std::vector<float>(floats, floats + 4)), (std::vector<float>{3, -4, 100, 0}));
        const Vantor::Vector2 two = value.GetFloat2();
        EXPECT_FLOAT_EQ(two.x, 3.0f);
        EXPECT_FLOAT_EQ(two.y, -4.0f);
    }
}

// Under a UTF-8 locale a letter of two bytes is one character of a token, whichever
// form of the text is current.
TEST_F(XMLValueTest, TokensCountCharactersNotBytes) {
    crt::setlocale(LC_CTYPE, "english");
    XMLValue narrow;
    narrow.SetString("1\xC3\xA9" "2 3");
    const XMLValue wide(L"1\u00E92 3");
    for (const XMLValue* value : std::vector<const XMLValue*>{&narrow, &wide}) {
        int ints[2] = {};
        value->GetInts(ints, 2);
        EXPECT_EQ(ints[0], 1);
        EXPECT_EQ(ints[1], 3);
    }
}

}  // namespace
