#include "tools/XMLTreeBuilder.h"

#include <memory>

#include "engine/kernel/FileError.h"
#include "engine/kernel/StringHelpers.h"
#include "platform/Crt.h"
#include "tools/XMLNode.h"

namespace GameTools {

namespace {

// Error codes of the format error messages.
constexpr int kEndTagWithoutElement = 0;
constexpr int kEmptyTag = 1;
constexpr int kEndTagMismatch = 2;
constexpr int kEqualsWithoutName = 4;
constexpr int kSlashInsideAttributes = 5;
constexpr int kSlashAfterAttributeName = 6;
constexpr int kRepeatedAttribute = 7;
constexpr int kUnquotedValue = 8;
constexpr int kNameWithoutValue = 10;
constexpr int kIncompleteValue = 11;
constexpr int kSecondTopElement = 12;
constexpr int kTextOutsideDocument = 13;
constexpr int kUnterminatedTag = 14;
constexpr int kNoElement = 15;

// Letters, digits and punctuation; everything else counts as a blank.
bool IsGraphic(wchar_t c) { return crt::iswgraph(static_cast<wint_t>(c)) != 0; }


}  // namespace

XMLTreeBuilder::XMLTreeBuilder(XMLNode*& root, const std::wstring& text)
    : root_(root), holder_(root), text_(text), current_(root) {}

void XMLTreeBuilder::Build() {
    for (; position_ < text_.size(); ++position_) {
        const wchar_t c = text_[position_];
        if (c == L'\n') ++line_;
        if (!insideTag_) {
            ReadOutsideTag(c);
        } else if (quoted_) {
            tag_ += c;
            if (c == quote_) quoted_ = false;
        } else {
            ReadInsideTag(c);
        }
    }
    if (insideTag_ || endTag_) Fail(kUnterminatedTag);
    if (!holder_ && !root_) Fail(kNoElement);
}

void XMLTreeBuilder::ReadOutsideTag(wchar_t c) {
    if (c == L'<') {
        insideTag_ = true;
        // Text is the last non-blank run before a tag, kept with its blanks and line breaks.
        if (current_ && textHeld_) {
            current_->value.SetWideString(textBuffer_);
            ClearText();
        }
        if (!holder_ && !current_ && root_) Fail(kSecondTopElement);
    } else if (current_) {
        textBuffer_ += c;
        textHeld_ = textHeld_ || crt::iswspace(static_cast<wint_t>(c)) == 0;
    } else if (IsGraphic(c)) {
        Fail(kTextOutsideDocument);
    }
}

void XMLTreeBuilder::ReadInsideTag(wchar_t c) {
    if (tag_.empty()) {
        if (!IsGraphic(c)) return;
        if (c == L'/') {
            endTag_ = true;
            if (!current_) Fail(kEndTagWithoutElement);
            return;
        }
        if (c == L'?') {
            SkipDeclaration();
            return;
        }
        if (c == L'>') Fail(kEmptyTag);
        tag_ += c;
        return;
    }
    if ((c == L'"' || c == L'\'') && !IsCommentTag()) {
        quoted_ = true;
        quote_ = c;
        tag_ += c;
    } else if (c == L'>') {
        if (endTag_)
            EndEndTag();
        else
            EndStartTag();
    } else {
        tag_ += c;
    }
}

// "<!--" and a blank: the comment's words are plain text, an apostrophe ("it's") too,
// so it ends at the next '>'.
bool XMLTreeBuilder::IsCommentTag() const {
    return tag_.size() > 3 && tag_.compare(0, 3, L"!--") == 0 && !IsGraphic(tag_[3]);
}

// Up to and including the next '>'; quotes mean nothing here.
void XMLTreeBuilder::SkipDeclaration() {
    while (++position_ < text_.size()) {
        const wchar_t c = text_[position_];
        if (c == L'\n') ++line_;
        if (c == L'>') {
            insideTag_ = false;
            endTag_ = false;
            return;
        }
    }
}

void XMLTreeBuilder::EndEndTag() {
    if (current_ == holder_ || Vantor::TrimmedRight(Vantor::ToNarrow(tag_)) != current_->name) Fail(kEndTagMismatch);
    current_ = current_->parent;
    LeaveTag();
}

void XMLTreeBuilder::EndStartTag() {
    enum class Expect { ElementName, AttributeName, Quote, Value } expect = Expect::ElementName;
    std::wstring elementName;
    std::wstring attributeName;
    std::wstring attributeValue;
    wchar_t valueQuote = 0;
    bool comment = false;
    bool emptyElement = false;
    XMLNode* element = nullptr;
    // The document element belongs to nobody until it is stored as the root.
    std::unique_ptr<XMLNode> unowned;
    auto createElement = [&] {
        element = new XMLNode(Vantor::ToNarrow(elementName), current_);
        if (!current_) unowned.reset(element);
    };

    for (std::size_t i = 0; i < tag_.size() && !comment; ++i) {
        const wchar_t c = tag_[i];
        const bool graphic = IsGraphic(c);
        switch (expect) {
            case Expect::ElementName:
                if (graphic) {
                    if (c == L'/')
                        emptyElement = true;
                    else
                        elementName += c;
                } else if (!elementName.empty()) {
                    comment = elementName == L"!--";
                    if (!comment) createElement();
                    expect = Expect::AttributeName;
                }
                break;
            case Expect::AttributeName:
                if (!graphic) break;
                if (c == L'=') {
                    if (attributeName.empty()) Fail(kEqualsWithoutName);
                    expect = Expect::Quote;
                } else if (c == L'/') {
                    if (!attributeName.empty()) Fail(kSlashAfterAttributeName);
                    if (i + 1 != tag_.size()) Fail(kSlashInsideAttributes);
                    emptyElement = true;
                } else {
                    attributeName += c;
                }
                break;
            case Expect::Quote:
                if (!graphic) break;
                if (c != L'"' && c != L'\'') Fail(kUnquotedValue);
                valueQuote = c;
                expect = Expect::Value;
                break;
            case Expect::Value:
                if (c != valueQuote) {
                    attributeValue += c;
                    break;
                }
                {
                    const std::string name = Vantor::ToNarrow(attributeName);
                    if (element->HasAttribute(name)) Fail(kRepeatedAttribute);
                    element->SetAttribute(name, attributeValue);
                }
                attributeName.clear();
                attributeValue.clear();
                expect = Expect::AttributeName;
                break;
        }
    }

    if (!comment) {
        if (expect == Expect::AttributeName && !attributeName.empty()) Fail(kNameWithoutValue);
        if (expect == Expect::Quote || expect == Expect::Value) Fail(kIncompleteValue);
        if (!element) createElement();
        current_ = element;
        if (!holder_ && !root_) root_ = unowned.release();
        if (emptyElement) current_ = element->parent;
    }
    ClearText();
    LeaveTag();
}

void XMLTreeBuilder::ClearText() {
    textBuffer_.clear();
    textHeld_ = false;
}

void XMLTreeBuilder::LeaveTag() {
    tag_.clear();
    insideTag_ = false;
    endTag_ = false;
}

void XMLTreeBuilder::Fail(int code) const {
    throw Vantor::FileError("XML format error at line " + std::to_string(line_) + ": code " + std::to_string(code));
}

}  // namespace GameTools
