# The Win32 window system behind the toolkit's UiPlatform: peers that mirror the toolkit's
# controls and the widgets, so it comes after both in the order of the layers.
