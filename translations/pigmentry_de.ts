<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Pigmentry</name>
    <message>
        <source>Pick Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Color Studio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tray icon here: the shortcut still picks after this window is closed, and starting Pigmentry again reopens it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1 to pick a color.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click its icon to pick a color.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pigmentry is in the tray. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Color from Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inspect </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle favorite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inspect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Studio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local. Private. Ready.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The art of clear communication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A readable palette helps everyone see your message.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the background as the text color and the text color as the background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color vision</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the sample as seen with a color-vision deficiency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WCAG relative luminance for opaque sRGB. Contrast alone does not establish accessibility.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A palette hiding in every image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a photo or artwork to discover its dominant colors.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Another Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extracting colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extracted colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Extracted Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downsampled image, deterministic RGB clustering (5 colors). Profile conversion to sRGB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file could not be read as an image.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gradient preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy CSS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two-stop sRGB gradient. Browser interpolation may differ.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Angle %1°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save %1 as a palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mathematical suggestions; contrast has not been validated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search colors or labels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export every color of the history as hex codes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your favorites, collected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your color journey starts here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick a color from your screen to start your collection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try another color code or label.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use 6 or 8 hexadecimal digits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open color editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen colors are converted to sRGB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a palette in My Palettes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build your first palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give your collection a name, then add colors from the inspector.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palette name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new palette holding the selected color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a palette from a JSON or GIMP palette file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Palettes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick from Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recently picked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At your fingertips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move one pixel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel picking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using the built-in desktop picker. The desktop provides the magnifier and keyboard controls.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Precision mode · Shift + arrows for larger steps · +/− to zoom. Screen capture access is required.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pigmentry 1.0 · Made for Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picking &amp; Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use built-in desktop picker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Precision mode requires screen capture access. The built-in picker uses the desktop&apos;s own controls.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically copy picked colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Studio at launch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in taskbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login: Configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login setting updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local Storage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History limit: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Data Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file manager could open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removes every color from the history; Ctrl+Z brings them back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your library stays on this computer. No account or analytics.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press a combination with Super, Ctrl, or Alt. Escape cancels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the shortcut to record a new combination. Changes apply immediately.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled Palette</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pigmentry — Color Studio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All colors stay on this computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy in your preferred format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On-device color tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not saved: %1 could not be read and is kept as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color picking could not continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Precision picker needs screen capture access</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop session does not let Pigmentry read the screen. Allow screenshots for Pigmentry in your desktop&apos;s privacy settings, then try again. You can also switch to the desktop&apos;s built-in color picker. Change picker mode later in Settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Desktop Picker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No accessible displays were returned by the desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop could not start screen capture: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen capture failed: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No desktop color picker is available: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting at login is not available on this desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut unavailable (%1). Choose another combination. You can still pick from the tray icon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include Super, Ctrl, or Alt with a key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That shortcut could not be registered (%1). It may be used by the desktop or another app. Try another combination.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
