[Version] 2.0
# Hz
[Number of Ports] 2
[Two-Port Data Order] 12_21
[Number of Frequencies] 2
[Reference] 50
50
[Network Data]
1 9 0 9 0 0.5 1 9 0
2 9 0 9 0 0.25 2 9 0
[Noise Data]
1 2 3 4 5
[End]
