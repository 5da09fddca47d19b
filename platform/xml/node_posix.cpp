// Elements of the pugixml back end.
#include <string_view>

#include "platform/error.h"
#include "platform/text.h"
#include "platform/xml/backend_posix.h"

namespace tts::xml::pugi_backend {

namespace {

// An unlikely element name: the holder never meets a path of the system.
constexpr const char* kHolderName = "tts.holder";

std::string quoted(std::string_view utf8) {
  return "'" + ansiFromUtf8(utf8) + "'";
}

bool isNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool isNameChar(unsigned char c) {
  return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// A child name without any XPath syntax, matched without XPath: the relative
// "salida" of every record is the system's hottest selection.
bool isPlainName(const std::string& path) {
  if (path.empty() || !isNameStart(static_cast<unsigned char>(path[0])) || path[0] == ':') {
    return false;
  }
  for (char c : path) {
    if (!isNameChar(static_cast<unsigned char>(c)) || c == ':')
      return false;
  }
  return true;
}

bool isText(pugi::xml_node node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

}  // namespace

pugi::xml_node Tree::holderNode() {
  if (!holder)
    holder = doc.append_child(kHolderName);
  return holder;
}

void checkName(const std::string& name, const char* what) {
  bool ok = !name.empty() && isNameStart(static_cast<unsigned char>(name[0]));
  for (char c : name)
    ok = ok && isNameChar(static_cast<unsigned char>(c));
  if (!ok)
    throw Error(quoted(name) + " no es un nombre de " + what + " XML válido");
}

std::vector<NodePtr> select(const std::shared_ptr<Tree>& tree, pugi::xml_node context,
                            const std::string& path, bool firstOnly) {
  std::vector<NodePtr> found;
  if (isPlainName(path)) {
    for (pugi::xml_node child = context.child(path.c_str()); child;
         child = child.next_sibling(path.c_str())) {
      if (child == tree->holder)
        continue;
      found.push_back(std::make_shared<PugiNode>(tree, child));
      if (firstOnly)
        break;
    }
    return found;
  }
  pugi::xpath_node_set nodes;
  try {
    pugi::xpath_query query(path.c_str());
    nodes = query.evaluate_node_set(context);
  } catch (const pugi::xpath_exception& e) {
    // pugixml reports a faulty path with an exception of its own; the system's
    // error carries its description.
    throw Error("La ruta de selección " + quoted(path) +
                " no es válida: " + ansiFromUtf8(e.what()));
  }
  nodes.sort();
  for (const pugi::xpath_node& match : nodes) {
    pugi::xml_node node = match.node();
    if (node.type() != pugi::node_element || node == tree->holder)
      continue;
    found.push_back(std::make_shared<PugiNode>(tree, node));
    if (firstOnly)
      break;
  }
  return found;
}

std::string PugiNode::name() const {
  return node_.name();
}

std::vector<NodePtr> PugiNode::selectNodes(const std::string& path) const {
  return select(tree_, node_, path, false);
}

NodePtr PugiNode::selectSingleNode(const std::string& path) const {
  auto found = select(tree_, node_, path, true);
  return found.empty() ? nullptr : found.front();
}

std::string PugiNode::text() const {
  // All text below the element, in document order: a walk over the subtree.
  std::string out;
  pugi::xml_node n = node_.first_child();
  while (n) {
    if (isText(n))
      out += n.value();
    if (n.first_child()) {
      n = n.first_child();
      continue;
    }
    while (n != node_ && !n.next_sibling())
      n = n.parent();
    if (n == node_)
      break;
    n = n.next_sibling();
  }
  return out;
}

std::optional<std::string> PugiNode::attribute(const std::string& name) const {
  pugi::xml_attribute found = node_.attribute(name.c_str());
  if (!found)
    return std::nullopt;
  return std::string(found.value());
}

void PugiNode::setAttribute(const std::string& name, const std::string& value) {
  checkName(name, "atributo");
  pugi::xml_attribute found = node_.attribute(name.c_str());
  if (!found)
    found = node_.append_attribute(name.c_str());
  found.set_value(value.c_str());
}

void PugiNode::setText(const std::string& text) {
  // Child elements go to the holder rather than being destroyed, so handles to
  // them stay valid.
  while (pugi::xml_node child = node_.first_child()) {
    if (child.type() == pugi::node_element) {
      tree_->holderNode().append_move(child);
    } else {
      node_.remove_child(child);
    }
  }
  if (!text.empty())
    node_.append_child(pugi::node_pcdata).set_value(text.c_str());
}

pugi::xml_node PugiNode::own(const NodePtr& child, const char* action) const {
  if (!child)
    throw Error(std::string("No se puede ") + action + " un nodo nulo");
  auto* other = dynamic_cast<const PugiNode*>(child.get());
  if (!other || other->tree_ != tree_) {
    throw Error(std::string("No se puede ") + action + " el elemento " + quoted(child->name()) +
                ": es de otro documento");
  }
  return other->node_;
}

void PugiNode::appendChild(const NodePtr& child) {
  pugi::xml_node moved = own(child, "añadir");
  if (!node_.append_move(moved)) {
    throw Error("No se puede añadir el elemento " + quoted(moved.name()) + " dentro del elemento " +
                quoted(node_.name()) + ": lo contiene");
  }
}

void PugiNode::removeChild(const NodePtr& child) {
  pugi::xml_node removed = own(child, "quitar");
  if (removed.parent() != node_) {
    throw Error("No se puede quitar el elemento " + quoted(removed.name()) + " del elemento " +
                quoted(node_.name()) + ": no es hijo suyo");
  }
  tree_->holderNode().append_move(removed);
}

}  // namespace tts::xml::pugi_backend
