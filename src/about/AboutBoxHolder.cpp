#include "about/AboutBoxHolder.h"

#include "about/frmAbout.h"

AboutBoxHolder::AboutBoxHolder(Dialogs& dialogs, Launcher& launcher)
    : m_dialogs(dialogs), m_launcher(launcher) {}

AboutBoxHolder::~AboutBoxHolder() {
    delete m_box.data();
}

frmAbout* AboutBoxHolder::show(const QString* club) {
    if (!m_box)
        m_box = new frmAbout(m_dialogs, m_launcher);
    m_box->show();
    m_box->raise();
    if (club)
        m_box->setClub(*club);
    return m_box;
}

void AboutBoxHolder::unload() {
    delete m_box.data();
}

frmAbout* AboutBoxHolder::current() const {
    return m_box;
}
