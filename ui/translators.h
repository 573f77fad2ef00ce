// The program in the user's language: its own translations and Qt's.
#pragma once

#include <QList>
#include <QLocale>
#include <QString>

class QTranslator;

namespace varnel {

// Installs in the application the program's translation from `folder` for
// the first of `locale`'s UI languages that has one (the system's locale
// follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG), together with Qt's own
// translation into that same language, so that the standard buttons of boxes
// and dialogs speak it too. Installs nothing where none of the languages has
// a translation: the program then speaks English, its own language, and so
// does Qt. The translators belong to the application; they are returned, the
// program's first, for whoever would take them out again.
QList<QTranslator*> InstallTranslators(const QString& folder, const QLocale& locale = QLocale());

}  // namespace varnel
