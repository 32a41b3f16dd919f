#pragma once

#include "LinuxPackage.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QThread;

// "Create Linux package...": the open project as a Debian package or a portable folder, built by
// LinuxPackage on a worker thread while the dialog shows each step; Cancel stops it.
class frmLinuxPackage : public QDialog {
    Q_OBJECT
public:
    frmLinuxPackage(const QString &projectRoot, const QString &editorFolder,
                    QWidget *parent = nullptr);
    ~frmLinuxPackage() override;

    // The controls, by their captions' meaning (tests set them).
    QRadioButton *optDebian = nullptr;
    QRadioButton *optPortable = nullptr;
    QLineEdit *txtLocation = nullptr;
    QPushButton *cmdBrowse = nullptr;
    QCheckBox *CheckEnable = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblProgress = nullptr;

    bool building() const { return m_thread != nullptr; }
    // The last build's outcome.
    const LinuxPackage::Result &result() const { return m_result; }

    // Starts the build with the dialog's choices (OK does this).
    void startBuild(bool replace = false);

signals:
    void finished(bool ok);

protected:
    void reject() override;

private:
    void buildEnded(const LinuxPackage::Result &result, bool replace);
    void setBusy(bool busy);

    QString m_projectRoot;
    QString m_editorFolder;
    QThread *m_thread = nullptr;
    std::unique_ptr<LinuxPackage> m_package;
    LinuxPackage::Result m_result;
};
