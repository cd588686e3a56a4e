"""The environment the end-to-end tests run a program in."""

import os


def program_environment(home, display):
    """The environment for a program on the X display `display` with a fresh
    home folder `home` (made here) and its XDG folders, its runtime folder
    inside it, and no sound server. Nothing of the desktop session the test
    may run in (Wayland, themes, session manager, accessibility) reaches it."""
    os.makedirs(home)
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700)
    env = {k: v for k, v in os.environ.items()
           if k not in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
                        "AT_SPI_BUS_ADDRESS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY")}
    env.update({
        "DISPLAY": display,
        "HOME": home,
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
        "XDG_CACHE_HOME": os.path.join(home, ".cache"),
        "XDG_RUNTIME_DIR": runtime,
        # No sound server there: naming its socket keeps the sound client
        # from starting one that would outlive the run.
        "PULSE_SERVER": "unix:" + os.path.join(runtime, "pulse", "native"),
        "QT_QPA_PLATFORM": "xcb",
    })
    return env
