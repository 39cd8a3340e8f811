import QtQuick

// One screen of a navigation stack, with what its navigation bar shows.
Item {
    property string title
    // Buttons of the bar: none when empty. Without a left button a pushed screen gets the back
    // button, titled after the screen below it.
    property string leftButton
    property string rightButton
    property bool leftEnabled: true
    property bool rightEnabled: true
    // The blue style of a button that ends the screen ("Done").
    property bool leftDone: false
    property bool rightDone: false
    // The right button is the system's add button: a plus sign.
    property bool rightSystemAdd: false

    // The NavigationStack the page is on, given when it is pushed. Typed Item: the stack names
    // Page, and QML refuses two files that need each other's types.
    property Item navigationStack: null

    signal leftTapped()
    signal rightTapped()
    // The page came to the top of its stack, or left it.
    signal appeared()
    signal disappeared()
}
