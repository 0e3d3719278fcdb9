// implemented in progress
