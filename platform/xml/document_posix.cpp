// The XML document service on pugixml, for every build but Windows.
//
// The file is decoded into UTF-8 here (pugixml reads an 8-bit encoding only
// when told, and knows none but ISO-8859-1), parsed with its prolog, comments
// and processing instructions, and saved through pugixml's UTF-8 writer into
// the encoding the file came in. Text that is only blanks between elements is
// not kept; saving indents the tree anew.
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/xml/backend_posix.h"
#include "platform/xml/encoding.h"
#include "platform/xml/messages.h"

namespace tts::xml {

namespace {

using pugi_backend::PugiNode;
using pugi_backend::Tree;

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_comments | pugi::parse_pi;
// The prolog is written from the loaded declaration node, never invented.
constexpr unsigned kSaveOptions = pugi::format_indent | pugi::format_no_declaration;
constexpr const char* kIndent = "  ";

std::string reasonOf(const pugi::xml_parse_result& result) {
  switch (result.status) {
    case pugi::status_out_of_memory:
      return "no hay memoria suficiente para leerlo";
    case pugi::status_unrecognized_tag:
      return "tiene una marca que no se reconoce";
    case pugi::status_bad_pi:
      return "una declaración XML o instrucción de proceso está mal formada";
    case pugi::status_bad_comment:
      return "un comentario está mal formado";
    case pugi::status_bad_cdata:
      return "una sección CDATA está mal formada";
    case pugi::status_bad_doctype:
      return "la declaración del tipo de documento está mal formada";
    case pugi::status_bad_pcdata:
      return "un texto está mal formado";
    case pugi::status_bad_start_element:
      return "una etiqueta de apertura está mal formada";
    case pugi::status_bad_attribute:
      return "un atributo está mal formado";
    case pugi::status_bad_end_element:
      return "una etiqueta de cierre está mal formada";
    case pugi::status_end_element_mismatch:
      return "una etiqueta de cierre no corresponde a la etiqueta abierta";
    default:
      return ansiFromUtf8(result.description());
  }
}

struct StringWriter final : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};

class PugiDocument final : public Document {
 public:
  PugiDocument() : tree_(std::make_shared<Tree>()) {}

  void load(const std::string& path) override {
    std::vector<uint8_t> bytes = files::readAll(path);
    FileEncoding encoding = detectEncoding(bytes, path);
    const std::string text = decodeToUtf8(bytes, encoding, path);

    // A new tree, so handles into the previous content stay valid.
    auto tree = std::make_shared<Tree>();
    pugi::xml_parse_result result =
        tree->doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
    if (result.status == pugi::status_no_document_element) {
      throw Error(notValidMessage(path, "no tiene elemento raíz"));
    }
    if (!result) {
      Position at = positionOf(text, static_cast<size_t>(result.offset));
      throw Error(notValidMessage(path, reasonOf(result), at.line, at.column));
    }
    // pugixml accepts what XML does not: several roots, text beside the root.
    int roots = 0;
    for (pugi::xml_node child : tree->doc.children()) {
      if (child.type() == pugi::node_element)
        ++roots;
      if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
        throw Error(notValidMessage(path, "tiene texto fuera del elemento raíz"));
      }
    }
    if (roots > 1)
      throw Error(notValidMessage(path, "tiene más de un elemento raíz"));
    // A save writes the declaration node first and the text in the file's
    // encoding, so the declaration must open the file (pugixml also takes one
    // after text or further down), and when the encoding was read from its
    // bytes, pugixml must have read the same encoding in it.
    for (pugi::xml_node child : tree->doc.children()) {
      if (child.type() != pugi::node_declaration)
        continue;
      const bool first = child == tree->doc.first_child() && text.rfind("<?xml", 0) == 0;
      if (!first || (encoding.declared && encoding.name != child.attribute("encoding").value())) {
        throw Error(
            notValidMessage(path, "una declaración XML o instrucción de proceso está mal formada"));
      }
    }
    if (encoding.declared && tree->doc.first_child().type() != pugi::node_declaration) {
      throw Error(
          notValidMessage(path, "una declaración XML o instrucción de proceso está mal formada"));
    }

    tree_ = std::move(tree);
    encoding_ = std::move(encoding);
  }

  std::vector<NodePtr> selectNodes(const std::string& path) const override {
    return pugi_backend::select(tree_, tree_->doc, path, false);
  }

  NodePtr documentElement() const override {
    for (pugi::xml_node child : tree_->doc.children()) {
      if (child.type() == pugi::node_element && child != tree_->holder) {
        return std::make_shared<PugiNode>(tree_, child);
      }
    }
    return nullptr;
  }

  NodePtr createElement(const std::string& name) override {
    pugi_backend::checkName(name, "elemento");
    return std::make_shared<PugiNode>(tree_, tree_->holderNode().append_child(name.c_str()));
  }

  void save(const std::string& path) const override {
    StringWriter writer;
    for (pugi::xml_node child : tree_->doc.children()) {
      if (child == tree_->holder)
        continue;
      child.print(writer, kIndent, kSaveOptions, pugi::encoding_utf8);
    }
    files::writeAll(path, encodeFromUtf8(writer.out, encoding_, path));
  }

 private:
  std::shared_ptr<Tree> tree_;
  FileEncoding encoding_;
};

}  // namespace

std::unique_ptr<Document> createDocument() {
  return std::make_unique<PugiDocument>();
}

}  // namespace tts::xml
