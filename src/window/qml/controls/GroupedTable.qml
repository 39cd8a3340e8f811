import QtQuick
import Farline.Window

// The background of a grouped table, scrolling its content.
Rectangle {
    id: table
    default property alias content: column.data
    property alias spacing: column.spacing
    color: Theme.tableBackground

    Flickable {
        anchors.fill: parent
        contentHeight: column.height + 20
        boundsBehavior: Flickable.StopAtBounds
        Column {
            id: column
            y: 10
            width: parent.width
            spacing: 20
        }
    }
}
