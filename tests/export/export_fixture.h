// Helpers of the export tests: interchange documents written from short
// pieces, tables read back through the table service, and snapshots of a
// folder's names and bytes.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/dbase/table.h"
#include "platform/xml.h"
#include "tests/support/testing.h"

namespace tts::testing {

// Pieces of an interchange document, in the system's ANSI text (the document
// is converted to UTF-8 when written). Texts are escaped for XML.
std::string salida(const std::string& text);
std::string salida(const std::string& dato, const std::string& text);
// A record of unnamed values, one per position.
std::string record(const std::vector<std::string>& values);
// A record made of ready `salida` elements (or anything else).
std::string rawRecord(const std::vector<std::string>& elements);
std::string list(const std::string& seq, const std::vector<std::string>& records);
// The whole document: SERVICIO, SALIDAS and the lists, declared UTF-8.
std::string interchange(const std::vector<std::string>& lists);
// A TRAMOS record: CODIGO_SCOLVIA, NOMBRE (the slot code, position 1), MINUTOS
// (position 2), and the document's own INICIO and FIN, which the export
// replaces.
std::string tramo(const std::string& code, const std::string& minutes,
                  const std::string& scolvia = "");

// A table read back whole: fields as stored, every cell as text (logical
// fields as "T" or "F", numbers as the table service gives them).
struct TableContents {
  std::vector<dbase::FieldInfo> fields;
  std::vector<std::vector<std::string>> rows;
  std::string cell(size_t row, const std::string& field) const;
  std::vector<std::string> column(const std::string& field) const;
};
TableContents readTable(const std::string& folder, const std::string& name);

// Every entry below `folder` by its relative path ("/" between parts): a file
// with its bytes, a folder with "<folder>" and a trailing "/" in its key.
std::map<std::string, std::string> snapshot(const std::string& folder);

// A document folder and a working folder, both temporary.
class ExportTest : public ::testing::Test {
 protected:
  // Writes `ansiXml` as the document and loads it.
  std::unique_ptr<xml::Document> load(const std::string& ansiXml);
  // The whole export of `ansiXml` into the working folder, the dialog
  // answering `start`.
  ExportSummary exportDocument(const std::string& ansiXml, const std::string& start = "08:00");
  TableContents table(const std::string& name) const { return readTable(qtemp.path(), name); }

  TempFolder docs;
  TempFolder qtemp;
};

}  // namespace tts::testing
