pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The settings tab: two groups of three rows, each showing the state as it is now.
Page {
    id: view
    title: Settings.title

    GroupedTable {
        anchors.fill: parent
        Repeater {
            model: Settings.sections
            delegate: Column {
                id: group
                required property var modelData
                required property int index
                width: parent.width
                Repeater {
                    model: group.modelData
                    // The access number row is a cell of its own. (Made here: a Loader of Qt 6.4
                    // cannot make the components of a file whose components are bound.)
                    delegate: Item {
                        id: row
                        required property var modelData
                        required property int index
                        readonly property int section: group.index
                        width: group.width
                        height: modelData.height
                        Component.onCompleted: (section === 0 && index === 2 ? accessNumberCell : plainCell).createObject(row)

                        Component {
                            id: plainCell
                            TableCell {
                                anchors.fill: parent
                                first: row.index === 0
                                last: row.index === 2
                                text: row.modelData.title
                                image: row.modelData.image !== "" ? Support.image(row.modelData.image) : ""
                                disclosure: true
                                highlighted: Settings.selectedSection === row.section && Settings.selectedRow === row.index
                                onTapped: Settings.didSelectRow(row.section, row.index)
                                Accessible.description: modeLabel.visible ? modeLabel.text : ""

                                // The usage mode, beside "Use for": placed from the row's right
                                // edge, clear of the disclosure arrow, however wide the row is.
                                Text {
                                    id: modeLabel
                                    objectName: "modeLabel"
                                    visible: row.section === 0 && row.index === 1
                                    anchors.right: parent.right
                                    anchors.rightMargin: 35
                                    y: 8
                                    width: 125
                                    height: 34
                                    horizontalAlignment: Text.AlignRight
                                    verticalAlignment: Text.AlignVCenter
                                    text: Settings.modeText
                                    color: Settings.selectedSection === row.section && Settings.selectedRow === row.index
                                           ? Theme.highlightedText : Theme.greyText
                                    font.family: Theme.font
                                    font.pixelSize: Theme.valueSize
                                }
                            }
                        }
                        Component {
                            id: accessNumberCell
                            CustomCell {
                                anchors.fill: parent
                                first: false
                                last: true
                                title: row.modelData.title
                                highlighted: Settings.selectedSection === row.section && Settings.selectedRow === row.index
                                onTapped: Settings.didSelectRow(row.section, row.index)
                            }
                        }
                    }
                }
            }
        }
    }
}
