// The pugixml back end's inner parts, shared by its node and document.
//
// pugixml has no element outside a tree, so a document keeps one hidden
// top-level element, the holder, for elements that are created and not yet
// appended and for elements that were removed: handles to them stay valid, and
// the holder is never selected as the root nor saved.
#pragma once

#include <pugixml.hpp>

#include <memory>
#include <string>

#include "platform/xml.h"

namespace tts::xml::pugi_backend {

// One loaded tree; nodes share it, so no handle outlives its memory.
struct Tree {
  pugi::xml_document doc;
  pugi::xml_node holder;
  // The holder, created when first needed.
  pugi::xml_node holderNode();
};

class PugiNode final : public Node {
 public:
  PugiNode(std::shared_ptr<Tree> tree, pugi::xml_node node) : tree_(std::move(tree)), node_(node) {}

  std::string name() const override;
  std::vector<NodePtr> selectNodes(const std::string& path) const override;
  NodePtr selectSingleNode(const std::string& path) const override;
  std::string text() const override;
  std::optional<std::string> attribute(const std::string& name) const override;
  void setAttribute(const std::string& name, const std::string& value) override;
  void setText(const std::string& text) override;
  void appendChild(const NodePtr& child) override;
  void removeChild(const NodePtr& child) override;

  const std::shared_ptr<Tree>& tree() const { return tree_; }
  pugi::xml_node node() const { return node_; }

 private:
  // The argument as a node of this tree; throws Error for null or another tree.
  pugi::xml_node own(const NodePtr& child, const char* action) const;
  std::shared_ptr<Tree> tree_;
  pugi::xml_node node_;
};

// Element nodes matching `path` from `context` (an element or the document),
// in document order. A plain child name is matched directly; anything else
// goes through XPath. Throws Error for a path that is no valid selection.
std::vector<NodePtr> select(const std::shared_ptr<Tree>& tree, pugi::xml_node context,
                            const std::string& path, bool firstOnly);

// Throws Error unless `name` is a well-formed XML name (UTF-8).
void checkName(const std::string& name, const char* what);

}  // namespace tts::xml::pugi_backend
