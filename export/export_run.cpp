#include "export/export_run.h"

#include <array>

#include "export/builders.h"
#include "export/staging.h"
#include "platform/error.h"

namespace tts {

namespace {

// The six tables, in the order of their builders.
enum Built : size_t { kMaterias, kProfesores, kAulas, kGrupos, kAsignaturas, kTramos, kTables };

const std::vector<std::string>& tableNames() {
  static const std::vector<std::string> names = {"ASIGNOMT", "PROFT", "AULAT",
                                                 "GRUPOST",  "ASIGT", "DIASHORAST"};
  return names;
}

}  // namespace

struct ExportRun::Impl {
  Impl(const xml::Document& document, std::string qtemp)
      : doc(document), staging(std::move(qtemp)) {}

  // Runs one builder; its table counts as built only when it completes.
  template <typename Builder>
  size_t build(Built which, Builder&& builder) {
    if (committed)
      throw Error("La exportación ya se ha completado");
    built[which] = false;
    size_t rows = builder();
    built[which] = true;
    return rows;
  }

  const xml::Document& doc;
  exporting::Staging staging;
  std::array<bool, kTables> built{};
  bool committed = false;
};

ExportRun::ExportRun(const xml::Document& doc, std::string qtemp)
    : impl_(std::make_unique<Impl>(doc, std::move(qtemp))) {}

ExportRun::~ExportRun() = default;

size_t ExportRun::ExportarMaterias() {
  return impl_->build(
      kMaterias, [&] { return exporting::exportarMaterias(impl_->doc, impl_->staging.folder()); });
}

size_t ExportRun::ExportarProfesores() {
  return impl_->build(kProfesores, [&] {
    return exporting::exportarProfesores(impl_->doc, impl_->staging.folder());
  });
}

size_t ExportRun::ExportarAulas() {
  return impl_->build(
      kAulas, [&] { return exporting::exportarAulas(impl_->doc, impl_->staging.folder()); });
}

size_t ExportRun::ExportarGrupos() {
  return impl_->build(
      kGrupos, [&] { return exporting::exportarGrupos(impl_->doc, impl_->staging.folder()); });
}

size_t ExportRun::ExportarAsignaturas() {
  return impl_->build(kAsignaturas, [&] {
    return exporting::exportarAsignaturas(impl_->doc, impl_->staging.folder());
  });
}

size_t ExportRun::ExportarTramos(const StartTimeDialog& askStartTime) {
  return impl_->build(kTramos, [&] {
    return exporting::exportarTramos(impl_->doc, impl_->staging.folder(), askStartTime);
  });
}

void ExportRun::commit() {
  if (impl_->committed)
    throw Error("La exportación ya se ha completado");
  for (size_t i = 0; i < kTables; ++i) {
    if (!impl_->built[i]) {
      throw Error("La exportación no está completa: falta la tabla " + tableNames()[i]);
    }
  }
  impl_->staging.commit(tableNames());
  impl_->committed = true;
}

ExportSummary runExport(const xml::Document& doc, const std::string& qtemp,
                        const StartTimeDialog& askStartTime) {
  ExportRun run(doc, qtemp);
  ExportSummary summary;
  const std::vector<std::string>& names = tableNames();
  summary.rows.emplace_back(names[kMaterias], run.ExportarMaterias());
  summary.rows.emplace_back(names[kProfesores], run.ExportarProfesores());
  summary.rows.emplace_back(names[kAulas], run.ExportarAulas());
  summary.rows.emplace_back(names[kGrupos], run.ExportarGrupos());
  summary.rows.emplace_back(names[kAsignaturas], run.ExportarAsignaturas());
  summary.rows.emplace_back(names[kTramos], run.ExportarTramos(askStartTime));
  run.commit();
  return summary;
}

}  // namespace tts
