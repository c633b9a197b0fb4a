#include "xml/xml_parse.h"

#include <filesystem>
#include <system_error>

namespace {

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Character data of the node and all its descendants, in document order.
void AppendText(XMLNode node, std::string& out) {
    for (XMLNode child = node.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
            case pugi::node_pcdata:
            case pugi::node_cdata:
                out += child.value();
                break;
            case pugi::node_element:
                AppendText(child, out);
                break;
            default:
                break;
        }
    }
}

std::string TrimmedText(XMLNode node) {
    std::string text;
    AppendText(node, text);
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsXmlSpace(text[begin])) ++begin;
    while (end > begin && IsXmlSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

bool XMLParse::LoadDocument(const std::string& path) {
    document_.reset();
    loaded_ = false;
    // Only regular files: a pipe or device of that name could block the reader,
    // and a folder is not a document.
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return false;
    const pugi::xml_parse_result result = document_.load_file(path.c_str());
    if (!result || !document_.document_element()) {
        document_.reset();
        return false;
    }
    loaded_ = true;
    return true;
}

XMLNode XMLParse::SelectNode(XMLNode parent, const std::string& name, int index) const {
    if (!loaded_ || name.empty() || index < 0) return XMLNode();
    if (!parent) return document_.child(name.c_str());
    int position = 0;
    for (XMLNode child = parent.child(name.c_str()); child;
         child = child.next_sibling(name.c_str())) {
        if (position++ == index) return child;
    }
    return XMLNode();
}

int XMLParse::CountNodes(const std::string& name, XMLNode parent) const {
    if (!loaded_ || !parent) return 0;
    int count = 0;
    for (XMLNode child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && (name.empty() || name == child.name())) ++count;
    }
    return count;
}

bool XMLParse::GetNodeText(const std::string& name, XMLNode parent, std::string& text) const {
    if (!loaded_ || name.empty()) return false;
    const XMLNode element = parent ? parent.child(name.c_str()) : document_.child(name.c_str());
    if (!element) return false;
    text = TrimmedText(element);
    return true;
}

bool XMLParse::GetNameAttribute(XMLNode node, std::string& text) const {
    if (!node) return false;
    const pugi::xml_attribute attribute = node.attribute("name");
    if (!attribute) return false;
    text = attribute.value();
    return true;
}
