pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The bar over a navigation stack: black translucent with the shell's tint, the top screen's
// title in the middle and its buttons at the sides.
Rectangle {
    id: bar

    property Page page: null
    // The title of the screen below the top one; empty at the root (no back button).
    property string backTitle
    signal backTapped()

    height: Theme.barHeight
    gradient: Gradient {
        GradientStop { position: 0; color: Theme.barTop }
        GradientStop { position: 0.5; color: Theme.barUpperMiddle }
        GradientStop { position: 0.51; color: Theme.barLowerMiddle }
        GradientStop { position: 1; color: Theme.barBottom }
    }
    Rectangle {
        anchors.fill: parent
        color: Theme.tint
    }
    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: Theme.barLine
    }

    readonly property bool showsBack: backTitle !== "" && page !== null && page.leftButton === ""

    // The buttons show only when the page has them.
    BarButton {
        id: left
        anchors.left: parent.left
        anchors.leftMargin: 5
        anchors.verticalCenter: parent.verticalCenter
        visible: bar.showsBack || (bar.page !== null && bar.page.leftButton !== "")
        back: bar.showsBack
        text: bar.showsBack ? (bar.backTitle.length > 10 ? "Back" : bar.backTitle)
                            : (bar.page ? bar.page.leftButton : "")
        done: bar.page !== null && bar.page.leftDone && !bar.showsBack
        enabled: bar.showsBack || (bar.page !== null && bar.page.leftEnabled)
        onTapped: bar.showsBack ? bar.backTapped() : bar.page.leftTapped()
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 2 * Math.max(left.visible ? left.width : 0, right.visible ? right.width : 0) - 30
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: bar.page ? bar.page.title : ""
        color: Theme.textOnDark
        font.family: Theme.font
        font.pixelSize: Theme.titleSize
        font.bold: true
        style: Text.Raised
        styleColor: Theme.raisedShadow
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    BarButton {
        id: right
        anchors.right: parent.right
        anchors.rightMargin: 5
        anchors.verticalCenter: parent.verticalCenter
        visible: bar.page !== null && bar.page.rightButton !== ""
        text: bar.page ? bar.page.rightButton : ""
        done: bar.page !== null && bar.page.rightDone
        plus: bar.page !== null && bar.page.rightSystemAdd
        enabled: bar.page !== null && bar.page.rightEnabled
        onTapped: bar.page.rightTapped()
    }
}
