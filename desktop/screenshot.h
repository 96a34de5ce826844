#pragma once
// The screenshot mode: once the start-up work has settled, shows one page of the tab control,
// saves the window (frame area included, so the image has the window's outer size) as a PNG and
// closes the window as the user would, so that the settings are saved as at any close.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "platform/qt/qt_engine.h"

namespace qingyu::desktop {

class Screenshot : public QObject {
  public:
    Screenshot(platform::qt::QtEngine& engine, QString file, int page);

    bool saved() const { return saved_; }

  private:
    void poll();
    bool settled() const;
    void save();

    platform::qt::QtEngine& engine_;
    QString file_;
    int page_;
    bool page_shown_ = false;
    bool saved_ = false;
    QElapsedTimer since_start_;
    QElapsedTimer since_page_;
    QTimer poll_timer_;
};

}  // namespace qingyu::desktop
