#include "platform/task_bar_progress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace varnel {

namespace {

constexpr char kInterface[] = "com.canonical.Unity.LauncherEntry";
constexpr char kSignal[] = "Update";

// An object path of the program's own, made from the entry's name:
// "org.example.varnel" gives "/org/example/varnel/LauncherEntry". Readers go
// by the entry named in the signal, not by the path.
QString ObjectPathFor(const QString& desktopEntry) {
  QString path = QStringLiteral("/");
  for (const QChar c : desktopEntry) {
    const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                       (c >= u'0' && c <= u'9') || c == u'_';
    path += c == u'.' ? u'/' : plain ? c : u'_';
  }
  return path + QStringLiteral("/LauncherEntry");
}

}  // namespace

TaskBarProgress::TaskBarProgress(const QString& desktopEntry)
    : desktopEntry_(desktopEntry), objectPath_(ObjectPathFor(desktopEntry)) {}

TaskBarProgress::~TaskBarProgress() {
  if (shown_) Send(0, false);
}

void TaskBarProgress::Show(double share) {
  if (Send(share, true)) shown_ = true;
}

bool TaskBarProgress::Send(double share, bool visible) {
  if (noBus_ || desktopEntry_.isEmpty()) return false;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    // Asked once a run: a desktop without a session bus shows no progress.
    noBus_ = true;
    return false;
  }
  QDBusMessage update =
      QDBusMessage::createSignal(objectPath_, QLatin1String(kInterface), QLatin1String(kSignal));
  update << QStringLiteral("application://%1.desktop").arg(desktopEntry_)
         << QVariantMap{{QStringLiteral("progress"), share},
                        {QStringLiteral("progress-visible"), visible}};
  return bus.send(update);
}

}  // namespace varnel
