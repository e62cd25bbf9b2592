// The command-line tool's commands.
