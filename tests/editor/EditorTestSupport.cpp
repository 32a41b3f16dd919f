#include "EditorTestSupport.h"

#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "ProjectIntegrity.h"
#include "ProjectVersion.h"
#include "VariablesFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTest>

#include <ostream>

AnsweredEditor::AnsweredEditor() {
    EditorMessages::setAnswerer([this](const QString &title, const QString &text, Status::Icon icon,
                                       EngineHost::Buttons buttons) {
        boxes.append({title, text, icon, buttons});
        if (buttons == EngineHost::Buttons::Ok)
            return EngineHost::Answer::Ok;
        if (answers.isEmpty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return buttons == EngineHost::Buttons::YesNo ? EngineHost::Answer::No
                                                         : EngineHost::Answer::Cancel;
        }
        return answers.takeFirst();
    });
    EditorMessages::setInputAnswerer(
        [this](const QString &, const QString &prompt, const QString &) {
            if (inputs.isEmpty()) {
                ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
                return QString();
            }
            return inputs.takeFirst();
        });
    EditorMessages::setUrlOpener([this](const QUrl &url) {
        opened.append(url);
        return true;
    });
    EditorMessages::setProgramStarter([this](const QString &program, const QStringList &) {
        started.append(program);
        return programsStart;
    });
    EditorMessages::setFileChooser([this](const QString &filter) {
        filters.append(filter);
        return files.isEmpty() ? QString() : files.takeFirst();
    });
}

AnsweredEditor::~AnsweredEditor() {
    EditorMessages::setAnswerer({});
    EditorMessages::setInputAnswerer({});
    EditorMessages::setUrlOpener({});
    EditorMessages::setProgramStarter({});
    EditorMessages::setFileChooser({});
}

QStringList AnsweredEditor::texts() const {
    QStringList out;
    for (const ShownBox &b : boxes)
        out.append(b.text);
    return out;
}

void writeProject(const TestProject &p, const QString &name, const QString &initialFrame,
                  const QStringList &frames) {
    const ProjectPaths paths = p.paths();
    QDir().mkpath(paths.ConfigPath());
    QDir().mkpath(paths.FramesPath());
    GeneralInfo g;
    g.ProjectName = name;
    g.SoftwareTitle = name;
    g.InitialFrame = initialFrame;
    ASSERT_TRUE(writeGeneral(paths.ConfigPath() + "General", g));
    ASSERT_TRUE(ProjectIntegrity::write(paths.root(), name));
    ASSERT_TRUE(ProjectVersion::write(paths.ConfigPath() + "Version"));
    ASSERT_TRUE(writeVariablesFile(paths.ConfigPath() + "Variables", {}));
    for (const QString &f : frames) {
        FrameProperties props;
        props.Background = "255";
        ASSERT_TRUE(FrameFiles(paths, SoundMode::MultiChannel).writeNewFrame(f, props));
    }
}

void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

bool waitFor(const std::function<bool()> &done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}
