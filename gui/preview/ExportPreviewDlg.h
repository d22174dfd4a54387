#pragma once

#include "core/app/FileSystem.h"

#include <QDialog>
#include <QSize>
#include <QString>

#include <array>

class QComboBox;
class QSpinBox;

namespace lumaro::gui {

// The choices of Export Preview: how long a play, at what size (the
// window's, or a video size with the lamps fitted and centred in it) and, for
// a video, how many frames a second. It opens on the last choice, which
// OK keeps in [Setting] of the program's settings file.
class CExportPreviewDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSecondsKey = "ExportSeconds";
    static constexpr const char* kSizeKey = "ExportSize"; // "1920x1080", or "window"
    static constexpr const char* kRateKey = "ExportRate";
    static constexpr const char* kFormatKey = "ExportFormat"; // the last file's extension
    static constexpr std::array<QSize, 3> kSizes = {QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160)};
    static constexpr std::array<int, 4> kRates = {25, 30, 50, 60};

    struct Choice {
        int seconds = 20;
        QSize size; // empty: the window's
        int framesPerSecond = 25;
    };

    // `window` is the size the first entry stands for.
    CExportPreviewDlg(const fs::path& settingsFile, QSize window, QWidget* parent = nullptr);

    Choice Chosen() const;
    void accept() override;

    // The extension of the last file exported ("mp4" before any), and the
    // one to remember.
    static QString LastFormat(const fs::path& settingsFile);
    static void KeepFormat(const fs::path& settingsFile, const QString& extension);

    QSpinBox* SecondsBox() const { return m_seconds; }
    QComboBox* SizeBox() const { return m_size; }
    QComboBox* RateBox() const { return m_rate; }

private:
    fs::path m_settingsFile;
    QSpinBox* m_seconds;
    QComboBox* m_size;
    QComboBox* m_rate;
};

} // namespace lumaro::gui
