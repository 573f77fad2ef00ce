#include "ui/program_icon.h"

#include <QDir>
#include <QString>

namespace varnel {

namespace {

// The build renders the icon into this resource folder once per size, each
// file named after its size in pixels.
const char kIconFolder[] = ":/varnel/icons";

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  const QDir folder(QString::fromLatin1(kIconFolder));
  for (const QString& name : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) {
    icon.addFile(folder.filePath(name));
  }
  return icon;
}

QPixmap ProgramPixmap() {
  return QPixmap(QString::fromLatin1(kIconFolder) + QStringLiteral("/32.png"));
}

}  // namespace varnel
