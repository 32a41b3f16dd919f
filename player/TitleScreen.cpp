#include "TitleScreen.h"

#include "ColourContrast.h"
#include "ProjectFiles.h"
#include "RecordReader.h"

#include <QFileInfo>

TitleScreen TitleScreen::load(const ProjectPaths &paths, const QString &schemesFolder,
                              bool fromEditor, bool displayIs640x480) {
    TitleScreen t;
    const QString textsPath = paths.configFile(QStringLiteral("Texts"));
    t.texts = CustomTexts::builtIn(CustomTexts::Applications);
    t.layOut();

    const QString generalPath = paths.configFile(QStringLiteral("General"));
    const bool generalRead = readGeneral(generalPath, t.general, GeneralReader::Player).ok();
    t.title = t.general.SoftwareTitle; // read before any damage, it shows all the same
    if (!generalRead) {
        t.errors.append(QStringLiteral(" Unable to load project information."));
        return t;
    }
    t.generalRead = true;
    const GeneralInfo g = t.general;
    const CustomTexts texts = CustomTexts::load(textsPath, &t.textsStatus);
    t.present(g, texts, schemesFolder, fromEditor,
              !displayIs640x480 && qRound(g.ShowChangeResolution) == 1);
    return t;
}

void TitleScreen::present(const GeneralInfo &g, const CustomTexts &customTexts,
                          const QString &schemesFolder, bool fromEditor, bool resolution) {
    general = g;
    texts = customTexts;
    title = g.SoftwareTitle;
    version.text = g.CommentsAndVersion;
    author.text = g.Author;
    email.text = g.Email;
    homepage.text = g.Homepage;
    resolutionShown = resolution;
    UseScheme(schemesFolder, g.SchemeName, fromEditor);
    author.label = texts.text(4);
    email.label = texts.text(5);
    homepage.label = texts.text(6);
    resolutionLabel = texts.text(7);
    layOut();
}

void TitleScreen::layOut() {
    titlePlace = QRect(0, TitleTop, Width, TitleHeight);
    int top = FirstLineTop;
    auto place = [&](Line &line, bool labelled) {
        line.shown = !line.text.isEmpty();
        line.top = line.shown ? top : 0;
        const int textLeft = labelled ? ValueLeft : Margin;
        line.labelPlace =
            labelled ? QRect(Margin, line.top, ValueLeft - Margin, LineStep) : QRect();
        line.textPlace = QRect(textLeft, line.top, Width - textLeft - Margin, LineStep);
        if (line.shown)
            top += LineStep;
    };
    place(version, false);
    place(author, true);
    place(email, true);
    place(homepage, true);
    resolutionLabelTop = resolutionShown ? top : 0;
    resolutionCheckTop = resolutionShown ? top + CheckDrop : 0;
    resolutionCheckPlace = QRect(Margin, resolutionCheckTop, CheckWidth, CheckHeight);
    resolutionLabelPlace =
        QRect(Margin + CheckWidth, resolutionLabelTop, Width - 2 * Margin - CheckWidth, LineStep);
    if (resolutionShown)
        top += LineStep;
    innerHeight = top + BottomMargin;
    infoPlace = QRect(Width - InfoInset, innerHeight - InfoInset, InfoSize, InfoSize);
    settingsPlace =
        QRect(Width - SettingsInset - SettingsWidth, SettingsInset, SettingsWidth, SettingsHeight);

    const int tops[3] = {StartTop, LoadTop, ExitTop};
    for (int i = 0; i < 3; ++i) {
        buttons[i].textTop = tops[i];
        buttons[i].pictureTop = tops[i];
    }
    // Without Load, only the Exit text moves up into its place; an Exit picture stays.
    if (general.HideLoad) {
        buttons[1].pictureShown = false;
        buttons[1].textShown = false;
        buttons[2].textTop = LoadTop;
    }
}

qint64 TitleScreen::buttonTextColour() const {
    if (buttonsColourSet)
        return static_cast<quint32>(buttonsColour);
    // A system colour (high bit) leaves the style's own.
    if (!coloursSet || (static_cast<quint32>(backgroundColour) & 0x80000000u))
        return -1;
    return ColourContrast::readableOn(static_cast<quint32>(backgroundColour));
}

void TitleScreen::UseScheme(const QString &schemesFolder, const QString &name, bool fromEditor) {
    const QString folder =
        withTrailingSeparator(ProjectFiles::existingVariant(schemesFolder + name));
    const QString file = ProjectFiles::existingVariant(folder + QStringLiteral("Scheme.txt"));
    auto textButtons = [this] {
        for (int i = 0; i < 3; ++i) {
            buttons[i].pictureShown = false;
            buttons[i].textShown = true;
            buttons[i].caption = texts.text(i + 1);
        }
    };
    if (name.isEmpty() || !QFileInfo(file).isFile()) {
        textButtons();
        return;
    }
    RecordReader r = RecordReader::fromFile(file);
    bool valid = r.skip(3);
    int count = 0;
    valid = valid && r.readCount(count, 1000) && count > 0;
    QString pictures[4];
    for (int i = 0; valid && i < count; ++i) {
        QString entry;
        if (!r.readString(entry))
            entry = QStringLiteral("[default]"); // a bad entry counts as the built-in picture
        if (i < 4)
            pictures[i] = entry;
    }
    // A read error inside the pictures was taken as "[default]"; the reader goes on from a
    // clean state only when it still is one.
    for (int i = 0; i < 4; ++i) {
        const QString lower = pictures[i].toLower();
        const bool none = pictures[i].isEmpty() || lower == QLatin1String("[none]") ||
                          lower == QLatin1String("[default]");
        const QString path = none ? QString() : ProjectFiles::resolve(folder, pictures[i]);
        if (i == 3) {
            tile = path;
            continue;
        }
        buttons[i].pictureShown = !path.isEmpty();
        buttons[i].picture = path;
        buttons[i].textShown = !buttons[i].pictureShown;
        buttons[i].caption = texts.text(i + 1);
    }
    int colours = 0;
    valid = valid && r.readCount(colours, 1000) && colours > 0;
    if (valid) {
        int bg = 0, title = 0, text = 0;
        r.readInt(bg);
        r.readInt(title);
        r.readInt(text);
        if (r.ok()) {
            coloursSet = true;
            backgroundColour = bg;
            titleColour = title;
            textsColour = text;
        }
        int button = 0;
        if (colours >= 4 && r.readInt(button)) {
            buttonsColourSet = true;
            buttonsColour = button;
        }
        if (r.ok() && !r.atEnd()) {
            int hide = 0;
            r.skip(3);
            if (r.readInt16(hide))
                titleHidden = hide != 0;
        }
        valid = r.ok();
    }
    if (!valid) {
        if (count == 0)
            textButtons();
        if (fromEditor)
            errors.append(QStringLiteral(" Unable to load the following scheme: ") + folder +
                          QStringLiteral("Scheme.txt\n\nThe scheme may be corrupted, some scheme "
                                         "files may be missing or the scheme may have been created "
                                         "with a different version of Quillmoor. To fix the "
                                         "problem, go to the Project Properties and select a "
                                         "different scheme."));
    }
}
