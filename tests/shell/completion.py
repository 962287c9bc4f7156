# SPDX-License-Identifier: GPL-3.0-or-later
"""The shell completions as a user meets them, in a pseudo-terminal: a format
name with a space is completed into one quoted word in bash and in zsh, and
the command then receives it whole."""
import os
import pty
import select
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
completions = os.path.join(here, "..", "..", "resources", "completions")


def run(shell, setup, typed):
    """Starts the shell in a pseudo-terminal, runs setup, types the keys and
    returns everything the terminal showed."""
    pid, fd = pty.fork()
    if pid == 0:
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TERM": "xterm" if shell.endswith("zsh") else "dumb", "HOME": "/tmp", "PS1": "$ "}
        args = [shell, "--norc", "--noprofile", "-i"] if shell.endswith("bash") else [shell, "-f", "-i"]
        os.execvpe(shell, args, env)
    output = b""

    def read(seconds):
        nonlocal output
        deadline = time.time() + seconds
        while time.time() < deadline:
            ready, _, _ = select.select([fd], [], [], 0.05)
            if ready:
                try:
                    output += os.read(fd, 4096)
                except OSError:
                    return
    read(1.0)
    for line in setup:
        os.write(fd, (line + "\n").encode())
        read(0.5)
    for keys in typed:
        os.write(fd, keys.encode())
        read(1.0)
    os.write(fd, b"exit\n")
    read(0.5)
    os.close(fd)
    os.waitpid(pid, 0)
    return output.decode(errors="replace")


# The command only shows the words it received.
show = "pigmentry() { printf '<%s>' \"$@\"; echo; }"
cases = [
    ("pigmentry convert 000000 --format CSS\t\n", "<--format><CSS Variable>"),
    ("pigmentry convert 000000 --format 'HEX A\t\n", "<--format><HEX Alpha>"),
    ("pigmentry convert 000000 --format Swi\t\n", "<--format><SwiftUI>"),
]
problems = []
for shell, setup in [
    ("/bin/bash", [show, f"source {completions}/pigmentry.bash"]),
    ("/usr/bin/zsh", ["PS1='$ '", f"fpath=({completions} $fpath)", "autoload -U compinit && compinit -u", show]),
]:
    if not os.path.exists(shell):
        problems.append(f"{shell} is not installed")
        continue
    for typed, wanted in cases:
        shown = run(shell, setup, [typed])
        if wanted not in shown:
            problems.append(f"{os.path.basename(shell)}: {typed!r} did not give {wanted}:\n{shown[-400:]}")
if problems:
    print("\n".join(problems))
    sys.exit(1)
print(f"{len(cases) * 2} completions, each one word")
