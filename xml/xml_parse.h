#pragma once

// Read-only access to one XML file: the profile files, the profile icon list
// and the skin definition file are read through it.
//
// Element text is the text of the element and all its descendants (character
// data and CDATA, in document order), with white space (blank, tab, CR, LF) at
// its two ends removed; white space inside the text stays as written. Files in
// any encoding the parser recognises are read; every text handed out is UTF-8.
//
// Every operation fails quietly: false, 0 or a none node, never a message and
// never an exception. A node is a cheap handle (copy it freely, nothing to
// release); "none" is the empty node, tested with `!node`. A node stays usable
// while the document that gave it is loaded: another LoadDocument or the
// destruction of the reader invalidates it.
//
// Used on one thread at a time; each user makes its own reader.

#include <pugixml.hpp>
#include <string>

using XMLNode = pugi::xml_node;

class XMLParse {
public:
    XMLParse() = default;
    XMLParse(const XMLParse&) = delete;
    XMLParse& operator=(const XMLParse&) = delete;

    // Loads and parses the file, replacing any document held before. False
    // (and no document held) when the path is not a readable regular file or
    // not well-formed XML with a root element; an empty path just drops the
    // document and gives false.
    bool LoadDocument(const std::string& path);

    // The child element `name` of `parent`. With parent none the document
    // itself is searched, which finds the root element when it has that name
    // (index unused). Otherwise index 0 is the first such child and index n the
    // (n + 1)-th. None when nothing is loaded, nothing matches, or index < 0.
    XMLNode SelectNode(XMLNode parent, const std::string& name, int index) const;

    // Number of child elements `name` of `parent`; an empty name counts every
    // child element. 0 when parent is none.
    int CountNodes(const std::string& name, XMLNode parent) const;

    // Text of the first child element `name` of `parent` (of the document when
    // parent is none) into `text`. False, leaving `text` untouched, when
    // nothing is loaded, the name is empty or no such element exists.
    bool GetNodeText(const std::string& name, XMLNode parent, std::string& text) const;

    // Value of the attribute "name" of `node` into `text`; false, leaving
    // `text` untouched, when the node is none or has no such attribute.
    bool GetNameAttribute(XMLNode node, std::string& text) const;

private:
    pugi::xml_document document_;
    bool loaded_ = false;
};
