[Version] 2.0
# Hz
[Number of Ports] 2
[Two-Port Data Order] 21_12
[Network Data]
2 1 0 1 0 1 0 1 0
1 1 0 1 0 1 0 1 0
