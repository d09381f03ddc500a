Option Explicit

Public Function Add(ByVal a As Long, ByVal b As Long) As Long
    Add = a + b
End Function
