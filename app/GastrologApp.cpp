// The desktop application.
