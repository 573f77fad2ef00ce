#include "ui/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace varnel {

namespace {

// A translator of the application from the first file named `name`_<language>
// in `folder` that fits one of `locale`'s UI languages; null where none does.
QTranslator* LoadTranslator(const QLocale& locale, const QString& name, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(locale, name, QStringLiteral("_"), folder)) return translator;
  delete translator;
  return nullptr;
}

// The program's translation into the first of `locale`'s UI languages that it
// speaks; null where that is English, its own language, which needs none.
// Qt's own search would pass over English, having no file for it, and take a
// language that the user ranked below it.
QTranslator* LoadProgramTranslator(const QLocale& locale, const QString& folder) {
  for (const QString& language : locale.uiLanguages()) {
    if (QLocale(language).language() == QLocale::English) return nullptr;
    QTranslator* translator = LoadTranslator(QLocale(language), QStringLiteral("varnel"), folder);
    if (translator != nullptr) return translator;
  }
  return nullptr;
}

}  // namespace

QList<QTranslator*> InstallTranslators(const QString& folder, const QLocale& locale) {
  QTranslator* program = LoadProgramTranslator(locale, folder);
  if (program == nullptr) return {};
  QCoreApplication::installTranslator(program);
  QList<QTranslator*> installed{program};
  // Qt's translation follows the language the program speaks, not the user's
  // first choice: a box must not mix two languages.
  QTranslator* qt = LoadTranslator(QLocale(program->language()), QStringLiteral("qtbase"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (qt != nullptr) {
    QCoreApplication::installTranslator(qt);
    installed << qt;
  }
  return installed;
}

}  // namespace varnel
