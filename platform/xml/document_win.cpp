// The XML document service on Windows: the platform's XML component,
// "Microsoft.XMLDOM", through COM.
//
// Loading is synchronous, without DTD validation or external resources, and
// drops text that is only blanks between elements, as the pugixml back end
// does. Saving takes the component's serialization and writes it in the
// encoding the loaded file declared, by our own encoder: Wine's component
// writes UTF-8 whatever the declaration says, and the real one drops the
// encoding from the serialization. COM is initialised on the calling thread
// when a document is first created there (see com::ensureInitialised).
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/xml/backend_win.h"
#include "platform/xml/encoding.h"
#include "platform/xml/messages.h"

namespace tts::xml {

namespace {

using msxml_backend::MsxmlNode;

constexpr const char* kComponent = "No se puede crear el componente XML \"Microsoft.XMLDOM\"";

class MsxmlDocument final : public Document {
 public:
  MsxmlDocument() {
    com::ensureInitialised();
    CLSID clsid;
    com::check(CLSIDFromProgID(L"Microsoft.XMLDOM", &clsid), [] { return kComponent; });
    com::check(
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument, doc_.outVoid()),
        [] { return kComponent; });
    com::check(doc_->put_async(VARIANT_FALSE), [] { return kComponent; });
    com::check(doc_->put_validateOnParse(VARIANT_FALSE), [] { return kComponent; });
    com::check(doc_->put_resolveExternals(VARIANT_FALSE), [] { return kComponent; });
    com::check(doc_->put_preserveWhiteSpace(VARIANT_FALSE), [] { return kComponent; });
  }

  void load(const std::string& path) override {
    // The component words a missing file as a failed download; say it as the
    // file helpers do.
    if (files::isFolder(path))
      throw Error(notReadMessage(path, "es una carpeta"));
    if (!files::exists(path))
      throw Error(notReadMessage(path, "no existe"));
    std::vector<uint8_t> bytes = files::readAll(path);
    FileEncoding encoding = detectEncoding(bytes, path);
    // Wine's component gives no reason for any failure; an empty file, the
    // commonest, is worded here as pugixml's back end words it.
    if (isBlank(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
      throw Error(notValidMessage(path, "no tiene elemento raíz"));

    com::Variant source(wideFromAnsi(path));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    HRESULT hr = doc_->load(source.get(), &loaded);
    if (loaded != VARIANT_TRUE)
      throw Error(loadFailure(path, hr));
    com::Ptr<IXMLDOMElement> root;
    doc_->get_documentElement(root.out());
    if (!root)
      throw Error(notValidMessage(path, "no tiene elemento raíz"));
    encoding_ = std::move(encoding);
  }

  std::vector<NodePtr> selectNodes(const std::string& path) const override {
    return msxml_backend::select(doc_.get(), path, doc_.get(), false);
  }

  NodePtr documentElement() const override {
    com::Ptr<IXMLDOMElement> root;
    com::check(doc_->get_documentElement(root.out()),
               [] { return "No se puede leer el elemento raíz del documento"; });
    if (!root)
      return nullptr;
    return std::make_shared<MsxmlNode>(std::move(root), doc_.get());
  }

  NodePtr createElement(const std::string& name) override {
    com::Ptr<IXMLDOMElement> element;
    com::Bstr tag(name);
    com::check(doc_->createElement(tag.get(), element.out()),
               [&] { return "No se puede crear el elemento '" + ansiFromUtf8(name) + "'"; });
    return std::make_shared<MsxmlNode>(std::move(element), doc_.get());
  }

  void save(const std::string& path) const override {
    com::Bstr xml;
    HRESULT hr = doc_->get_xml(xml.out());
    if (FAILED(hr))
      throw Error(notSavedMessage(path, com::describe(hr)));
    files::writeAll(path,
                    encodeFromUtf8(withDeclaredEncoding(xml.utf8(), encoding_), encoding_, path));
  }

 private:
  // The message for a failed load: the parser's reason and place when it has
  // one, else the description of the status.
  std::string loadFailure(const std::string& path, HRESULT hr) const {
    com::Ptr<IXMLDOMParseError> error;
    if (SUCCEEDED(doc_->get_parseError(error.out())) && error) {
      com::Bstr reason;
      long line = 0;
      long column = 0;
      error->get_reason(reason.out());
      error->get_line(&line);
      error->get_linepos(&column);
      std::string text = trim(ansiFromUtf8(reason.utf8()));
      if (!text.empty() && line > 0) {
        return notValidMessage(path, text, static_cast<size_t>(line), static_cast<size_t>(column));
      }
      if (!text.empty())
        return notValidMessage(path, text);
    }
    return notValidMessage(path, com::describe(hr));
  }

  com::Ptr<IXMLDOMDocument> doc_;
  FileEncoding encoding_;
};

}  // namespace

std::unique_ptr<Document> createDocument() {
  return std::make_unique<MsxmlDocument>();
}

}  // namespace tts::xml
