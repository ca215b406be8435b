#pragma once
// The XML parser's single pass over a whole text: elements, attributes with quoted
// values, text, comments and skipped "<?...>" declarations, without entity decoding.
// Elements left open at the end are accepted.
//
// With a null root (document mode) the first element becomes the document element
// and is stored into the root as soon as its start tag is complete; nothing but
// blanks may stand outside it. With a root element (holder mode) every top element
// becomes its child and text between them is its text; the holder itself cannot be
// closed by an end tag.
//
// A syntax error throws Vantor::FileError "XML format error at line <n>: code <k>".
// What was built stays linked to the root; the caller decides what to keep.

#include <cstddef>
#include <string>

namespace GameTools {

class XMLNode;

class XMLTreeBuilder {
public:
    XMLTreeBuilder(XMLNode*& root, const std::wstring& text);
    XMLTreeBuilder(const XMLTreeBuilder&) = delete;
    XMLTreeBuilder& operator=(const XMLTreeBuilder&) = delete;

    void Build();

private:
    void ReadOutsideTag(wchar_t c);
    void ReadInsideTag(wchar_t c);
    bool IsCommentTag() const;
    void SkipDeclaration();
    void EndEndTag();
    void EndStartTag();
    void ClearText();
    void LeaveTag();
    [[noreturn]] void Fail(int code) const;

    XMLNode*& root_;
    XMLNode* const holder_;
    const std::wstring& text_;
    std::size_t position_ = 0;
    unsigned line_ = 1;
    // The element new elements are attached to; null while none is open.
    XMLNode* current_;
    bool insideTag_ = false;
    bool endTag_ = false;
    bool quoted_ = false;
    wchar_t quote_ = 0;
    // Between '<' and '>'.
    std::wstring tag_;
    // Read outside tags while an element is open.
    std::wstring textBuffer_;
    // Whether the text buffer holds anything but blanks and line breaks.
    bool textHeld_ = false;
};

}  // namespace GameTools
