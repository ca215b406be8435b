// Reading a generated 2 MB document (20,000 elements with attributes and two lines of
// text, UTF-8) into an XMLNode tree: the program's parser through a text file over a
// memory block, against libexpat building the same tree from the same bytes in its
// callbacks. The goal is at most twice expat's time; destroying the trees is not timed.

#include <benchmark/benchmark.h>

#include <expat.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/kernel/FileBinary.h"
#include "engine/kernel/FileTextual.h"
#include "platform/Crt.h"
#include "platform/Utf.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace {

using GameTools::XMLNode;

constexpr int kElements = 20000;

const std::string& Document() {
    static const std::string bytes = [] {
        std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<resources>\r\n";
        char line[256];
        for (int i = 0; i < kElements; ++i) {
            std::snprintf(line, sizeof line,
                          "  <model name=\"model_%05d\" file=\"set_%02d\\m.mlf\" speed=\"%d.5\">Caf\xC3\xA9 %d\r\n"
                          "   the second line</model>\r\n",
                          i, i % 50, i % 7, i);
            text += line;
        }
        text += "</resources>\r\n";
        return text;
    }();
    return bytes;
}

// Whether expat's text holds anything but blanks, like the parser's rule.
bool HoldsText(const std::wstring& text) {
    for (wchar_t c : text)
        if (!crt::iswspace(static_cast<wint_t>(c))) return true;
    return false;
}

// Builds the tree in expat's callbacks: elements, attributes (UTF-8 decoded to
// wide text) and the last non-blank text run before a tag.
class ExpatTreeBuilder {
public:
    explicit ExpatTreeBuilder(XMLNode* holder) : current_(holder) {}

    void Parse(const std::string& bytes) {
        XML_Parser parser = XML_ParserCreate("UTF-8");
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &ExpatTreeBuilder::Start, &ExpatTreeBuilder::End);
        XML_SetCharacterDataHandler(parser, &ExpatTreeBuilder::Characters);
        if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) == XML_STATUS_ERROR) std::abort();
        XML_ParserFree(parser);
    }

private:
    static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
        auto* self = static_cast<ExpatTreeBuilder*>(data);
        self->StoreText();
        auto* element = new XMLNode(name, self->current_);
        for (const XML_Char** pair = attributes; *pair; pair += 2)
            element->SetAttribute(pair[0], platform::Utf8ToUtf16(pair[1]));
        self->current_ = element;
    }

    static void End(void* data, const XML_Char*) {
        auto* self = static_cast<ExpatTreeBuilder*>(data);
        self->StoreText();
        self->current_ = self->current_->parent;
    }

    static void Characters(void* data, const XML_Char* text, int length) {
        static_cast<ExpatTreeBuilder*>(data)->text_.append(text, static_cast<std::size_t>(length));
    }

    void StoreText() {
        const std::wstring wide = platform::Utf8ToUtf16(text_);
        if (HoldsText(wide)) current_->value.SetWideString(wide);
        text_.clear();
    }

    XMLNode* current_;
    std::string text_;
};

// Times building the tree into a fresh holder, not destroying it.
template <class Build>
void TimeTreeBuilding(benchmark::State& state, Build build) {
    const std::string& bytes = Document();
    for (auto _ : state) {
        auto holder = std::make_unique<XMLNode>();
        build(holder.get(), bytes);
        state.PauseTiming();
        holder.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}

void BM_XMLParser(benchmark::State& state) {
    TimeTreeBuilding(state, [](XMLNode* holder, const std::string& bytes) {
        auto* stream = new Vantor::FileBinary(L"Z:\\bench.xml", 0, 0, static_cast<std::uint32_t>(bytes.size()),
                                              reinterpret_cast<const std::uint8_t*>(bytes.data()), false);
        Vantor::FileTextual file(stream, Vantor::FileTextual::kRead, Vantor::TextEncoding::EightBit);
        GameTools::XMLParser().Parse(holder, file);
    });
}
BENCHMARK(BM_XMLParser)->Unit(benchmark::kMillisecond);

void BM_ExpatWithTree(benchmark::State& state) {
    TimeTreeBuilding(state, [](XMLNode* holder, const std::string& bytes) { ExpatTreeBuilder(holder).Parse(bytes); });
}
BENCHMARK(BM_ExpatWithTree)->Unit(benchmark::kMillisecond);

}  // namespace
