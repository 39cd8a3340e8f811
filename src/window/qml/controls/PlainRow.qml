import QtQuick
import Farline.Window

// A row of a plain table: a line under it, blue while highlighted, tapped as a whole.
Item {
    id: row
    property bool highlighted: false
    default property alias content: body.data
    signal tapped()

    width: ListView.view ? ListView.view.width : 0
    height: Theme.rowHeight

    RowHighlight {
        anchors.fill: parent
        visible: row.highlighted
    }
    Rectangle {
        objectName: "separator"
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: Theme.plainSeparator
    }
    MouseArea {
        anchors.fill: parent
        onClicked: row.tapped()
    }
    Item {
        id: body
        anchors.fill: parent
    }

    Accessible.role: Accessible.ListItem
    Accessible.onPressAction: tapped()
}
