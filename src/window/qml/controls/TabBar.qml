pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The tab bar: five items, the selected one lit.
Rectangle {
    id: bar
    height: Theme.tabBarHeight
    gradient: Gradient {
        GradientStop { position: 0; color: Theme.tabBarTop }
        GradientStop { position: 0.5; color: Theme.tabBarUpperMiddle }
        GradientStop { position: 0.51; color: Theme.tabBarLowerMiddle }
        GradientStop { position: 1; color: Theme.tabBarBottom }
    }

    Row {
        anchors.fill: parent
        anchors.leftMargin: 2
        anchors.rightMargin: 2
        Repeater {
            model: Tabs.items
            delegate: Item {
                id: item
                required property var modelData
                required property int index
                readonly property bool selected: Tabs.selectedIndex === index
                width: (bar.width - 4) / 5
                height: bar.height

                Rectangle {
                    anchors.fill: parent
                    anchors.margins: 2
                    radius: 3
                    color: Theme.tabSelection
                    opacity: item.selected ? 0.14 : 0
                }
                Image {
                    id: icon
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 3
                    width: 30
                    height: 30
                    source: item.modelData.image !== "" ? Support.image(item.modelData.image) : ""
                    opacity: item.selected ? 1 : 0.45
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 2
                    text: item.modelData.title
                    color: item.selected ? Theme.tabLabelSelected : Theme.tabLabel
                    font.family: Theme.font
                    font.pixelSize: Theme.tabLabelSize
                    font.bold: true
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: Tabs.didSelectTab(item.index)
                }

                Accessible.role: Accessible.PageTab
                Accessible.name: modelData.title
                Accessible.selectable: true
                Accessible.selected: selected
                Accessible.onPressAction: Tabs.didSelectTab(index)
            }
        }
    }
}
