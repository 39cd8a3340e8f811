import QtQuick
import Farline.Window

// The recent calls tab.
Page {
    title: Recents.title
    PlainList {
        anchors.fill: parent
    }
}
