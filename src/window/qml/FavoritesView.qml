import QtQuick
import Farline.Window

// The favourites tab.
Page {
    title: Favorites.title
    PlainList {
        anchors.fill: parent
    }
}
