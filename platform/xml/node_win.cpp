// Elements of the Windows XML back end.
#include "platform/error.h"
#include "platform/text.h"
#include "platform/xml/backend_win.h"

namespace tts::xml::msxml_backend {

namespace {

std::string quoted(const std::string& utf8) {
  return "'" + ansiFromUtf8(utf8) + "'";
}

}  // namespace

std::vector<NodePtr> select(IXMLDOMNode* context, const std::string& path, const void* owner,
                            bool firstOnly) {
  com::Ptr<IXMLDOMNodeList> list;
  com::Bstr query(path);
  com::check(context->selectNodes(query.get(), list.out()),
             [&] { return "La ruta de selección " + quoted(path) + " no es válida"; });
  std::vector<NodePtr> found;
  long count = 0;
  com::check(list->get_length(&count),
             [&] { return "No se puede contar la selección " + quoted(path); });
  for (long i = 0; i < count; ++i) {
    com::Ptr<IXMLDOMNode> node;
    com::check(list->get_item(i, node.out()),
               [&] { return "No se puede leer la selección " + quoted(path); });
    com::Ptr<IXMLDOMElement> element;
    if (!node || FAILED(node->QueryInterface(IID_IXMLDOMElement, element.outVoid())))
      continue;
    found.push_back(std::make_shared<MsxmlNode>(std::move(element), owner));
    if (firstOnly)
      break;
  }
  return found;
}

std::string MsxmlNode::name() const {
  com::Bstr name;
  com::check(element_->get_tagName(name.out()),
             [&] { return "No se puede leer el nombre de un elemento"; });
  return name.utf8();
}

std::vector<NodePtr> MsxmlNode::selectNodes(const std::string& path) const {
  return select(element_.get(), path, owner_, false);
}

NodePtr MsxmlNode::selectSingleNode(const std::string& path) const {
  auto found = select(element_.get(), path, owner_, true);
  return found.empty() ? nullptr : found.front();
}

std::string MsxmlNode::text() const {
  com::Bstr text;
  com::check(element_->get_text(text.out()),
             [&] { return "No se puede leer el texto del elemento " + quoted(name()); });
  return text.utf8();
}

std::optional<std::string> MsxmlNode::attribute(const std::string& name) const {
  com::Variant value;
  com::Bstr key(name);
  HRESULT hr = element_->getAttribute(key.get(), value.out());
  com::check(hr, [&] {
    return "No se puede leer el atributo " + quoted(name) + " del elemento " + quoted(this->name());
  });
  // S_FALSE with a null variant: the element lacks the attribute.
  if (hr != S_OK || value.get().vt != VT_BSTR)
    return std::nullopt;
  BSTR text = value.get().bstrVal;
  return utf8FromWide(text, text ? SysStringLen(text) : 0);
}

void MsxmlNode::setAttribute(const std::string& name, const std::string& value) {
  com::Bstr key(name);
  com::Variant text(wideFromUtf8(value));
  com::check(element_->setAttribute(key.get(), text.get()), [&] {
    return "No se puede poner el atributo " + quoted(name) + " al elemento " + quoted(this->name());
  });
}

void MsxmlNode::setText(const std::string& text) {
  com::Bstr value(text);
  com::check(element_->put_text(value.get()),
             [&] { return "No se puede poner el texto del elemento " + quoted(name()); });
}

IXMLDOMElement* MsxmlNode::own(const NodePtr& child, const char* action) const {
  if (!child)
    throw Error(std::string("No se puede ") + action + " un nodo nulo");
  auto* other = dynamic_cast<const MsxmlNode*>(child.get());
  if (!other || other->owner_ != owner_) {
    throw Error(std::string("No se puede ") + action + " el elemento " + quoted(child->name()) +
                ": es de otro documento");
  }
  return other->element_.get();
}

void MsxmlNode::appendChild(const NodePtr& child) {
  IXMLDOMElement* added = own(child, "añadir");
  com::Ptr<IXMLDOMNode> result;
  com::check(element_->appendChild(added, result.out()), [&] {
    return "No se puede añadir el elemento " + quoted(child->name()) + " dentro del elemento " +
           quoted(name());
  });
}

void MsxmlNode::removeChild(const NodePtr& child) {
  IXMLDOMElement* removed = own(child, "quitar");
  // The component rejects a node that is not a child (its wrappers of one
  // node need not be one COM object, so identity cannot be asked here).
  com::Ptr<IXMLDOMNode> result;
  com::check(element_->removeChild(removed, result.out()), [&] {
    return "No se puede quitar el elemento " + quoted(child->name()) + " del elemento " +
           quoted(name()) + ": no es hijo suyo";
  });
}

}  // namespace tts::xml::msxml_backend
