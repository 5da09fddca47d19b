// The Windows XML back end's element: an IXMLDOMElement of the platform's XML
// component ("Microsoft.XMLDOM"), reached through COM.
#pragma once

#include <windows.h>

#include <msxml.h>

#include "platform/xml.h"
#include "platform/xml/com_win.h"

namespace tts::xml::msxml_backend {

class MsxmlNode final : public Node {
 public:
  // `owner` identifies the document that created the element.
  MsxmlNode(com::Ptr<IXMLDOMElement> element, const void* owner)
      : element_(std::move(element)), owner_(owner) {}

  std::string name() const override;
  std::vector<NodePtr> selectNodes(const std::string& path) const override;
  NodePtr selectSingleNode(const std::string& path) const override;
  std::string text() const override;
  std::optional<std::string> attribute(const std::string& name) const override;
  void setAttribute(const std::string& name, const std::string& value) override;
  void setText(const std::string& text) override;
  void appendChild(const NodePtr& child) override;
  void removeChild(const NodePtr& child) override;

 private:
  // The argument's element; throws Error for null or another document's node.
  IXMLDOMElement* own(const NodePtr& child, const char* action) const;
  com::Ptr<IXMLDOMElement> element_;
  const void* owner_;
};

// Element nodes matching `path` from `context`, in document order. Throws
// Error for a path the component rejects.
std::vector<NodePtr> select(IXMLDOMNode* context, const std::string& path, const void* owner,
                            bool firstOnly);

}  // namespace tts::xml::msxml_backend
