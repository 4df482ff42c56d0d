#pragma once
#include <QByteArray>

// The remote's page for a tablet or a phone, served from the program itself: no file, no address outside
// the desk, so it works on a hall network without internet.
namespace RemotePage {
QByteArray html();
}
