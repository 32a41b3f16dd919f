#include "cWaveMix.h"

#include "MediaHost.h"
#include "WAVEMIX.h"

cWaveMix::cWaveMix(WAVEMIX &session, MediaHost &host) : m_session(session) {
    if (!m_session.OpenMixerSession())
        host.reportError(QStringLiteral(
            " Unable to Initialize WaveMix DLL. No audio hardware is available, the hardware is not "
            "responding, or another program is using hardware resources. Quit the program, close "
            "any open program and run the program again."));
}

cWaveMix::~cWaveMix() { m_session.CloseMixerSession(); }

cWaveMix::Channel &cWaveMix::current() {
    if (CurrentChannel < 0 || CurrentChannel > 7)
        throw std::out_of_range("Subscript out of range");
    return m_channels[static_cast<size_t>(CurrentChannel)];
}

const cWaveMix::Channel &cWaveMix::current() const {
    if (CurrentChannel < 0 || CurrentChannel > 7)
        throw std::out_of_range("Subscript out of range");
    return m_channels[static_cast<size_t>(CurrentChannel)];
}

void cWaveMix::setFileName(const QString &file) {
    current().FileName = file;
    m_session.LoadChannelWave(file, CurrentChannel);
}

QString cWaveMix::FileName() const { return current().FileName; }
void cWaveMix::setAutoLoop(qint32 loop) { current().AutoLoop = loop; }
qint32 cWaveMix::AutoLoop() const { return current().AutoLoop; }
void cWaveMix::Play() { m_session.PlayChannelWave(CurrentChannel, current().AutoLoop); }

void cWaveMix::Quit() {
    current();
    m_session.FlushChannel(CurrentChannel);
}
