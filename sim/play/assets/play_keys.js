// The play page's key names: DOM key codes and mouse buttons to the scenario format's names.
/* exported playKeys */
var playKeys = (function () {
    'use strict';

    // DOM key codes to the scenario's key names; a key not listed never reaches the game.
    const namedCodes = {
        ControlLeft: 'ctrl',
        ControlRight: 'ctrl',
        ShiftLeft: 'shift',
        ShiftRight: 'shift',
        AltLeft: 'alt',
        AltRight: 'alt',
        Enter: 'enter',
        NumpadEnter: 'enter',
        Space: 'space',
        Tab: 'tab',
        Escape: 'escape',
        Backspace: 'backspace',
        PageUp: 'page_up',
        PageDown: 'page_down',
        Home: 'home',
        End: 'end',
        Insert: 'insert',
        Delete: 'delete',
        ArrowUp: 'up',
        ArrowDown: 'down',
        ArrowLeft: 'left',
        ArrowRight: 'right',
        NumpadMultiply: 'multiply',
        NumpadAdd: 'add',
        NumpadSubtract: 'subtract',
        NumpadDecimal: 'decimal',
        NumpadDivide: 'divide',
    };

    function keyName(code) {
        if (namedCodes[code]) return namedCodes[code];
        let match = /^Key([A-Z])$/.exec(code) || /^Digit([0-9])$/.exec(code);
        if (match) return match[1].toLowerCase();
        match = /^Numpad([0-9])$/.exec(code);
        if (match) return 'numpad' + match[1];
        match = /^F([0-9]{1,2})$/.exec(code);
        if (match && Number(match[1]) <= 24) return 'f' + match[1];
        return null;
    }

    const mouseNames = ['left_mouse', 'middle_mouse', 'right_mouse'];

    return { keyName, mouseNames };
})();
